// System queries: start mode and keyboard state.
// - GetSystemMetrics: GetSystemMetrics.
// - GetKeyState: GetKeyState; the high-order bit of the 16-bit result is
//   set while the key is down.
#pragma once

#include <cstdint>

#include "Interface.h"

#define VX_SYSTEM_METHODS(M, on)                       \
    M(on, int, GetSystemMetrics, (int index), (index)) \
    M(on, int16_t, GetKeyState, (int virtualKey), (virtualKey))

namespace vx {

VX_DECLARE_INTERFACE(ISystem, VX_SYSTEM_METHODS);

}  // namespace vx
