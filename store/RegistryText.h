// Registry data and names taken as text: up to the first zero byte, and
// never more than the room that the store gives every registry text.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/framework/FrameworkString.h"
#include "store/DriverKey.h"

namespace vx {

// The length of the text in `bytes` bytes of registry data. Data that fills the whole
// room without a zero byte is cut at the room's end.
inline int RegistryTextLength(const uint8_t* data, uint32_t bytes) {
    if (bytes > static_cast<uint32_t>(kRegistryTextRoom)) bytes = kRegistryTextRoom;
    return static_cast<int>(strnlen(reinterpret_cast<const char*>(data), bytes));
}

}  // namespace vx
