// Debug output sink (OutputDebugStringA). Each Write receives one whole
// line.
#pragma once

#include "Interface.h"

#define VX_DEBUG_OUTPUT_METHODS(M, on) M(on, void, Write, (const char* text), (text))

namespace vx {

VX_DECLARE_INTERFACE(IDebugOutput, VX_DEBUG_OUTPUT_METHODS);

}  // namespace vx
