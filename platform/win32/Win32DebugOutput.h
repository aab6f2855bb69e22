// Debug trace lines to the system debugger (OutputDebugStringA).
#pragma once

#include "platform/DebugOutput.h"

namespace vx {

class Win32DebugOutput final : public IDebugOutput {
  public:
    void Write(const char* text) override;
};

}  // namespace vx
