// The bit masks of an Association key are the first byte of the value's
// data as stored, taken as a signed 8-bit number: 0xFB gives -5, whose bits
// 8 to 31 are set. Empty data gives 0.
#pragma once

#include <cstdint>

#include "platform/framework/FrameworkString.h"

namespace vx {

inline int32_t MaskOf(const CString& data) {
    return static_cast<int32_t>(static_cast<int8_t>(static_cast<uint8_t>(data[0])));
}

}  // namespace vx
