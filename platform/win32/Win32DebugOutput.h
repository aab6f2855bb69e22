// Debug trace lines to the system debugger (OutputDebugStringA).
#pragma once

#include "platform/DebugOutput.h"

namespace vx {

class Win32DebugOutput final : public IDebugOutput {
  public:
    VX_OVERRIDES(VX_DEBUG_OUTPUT_METHODS)
};

}  // namespace vx
