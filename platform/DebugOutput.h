// Debug output sink (OutputDebugStringA). Each call receives one whole line.
#pragma once

namespace vx {

class IDebugOutput {
  public:
    virtual ~IDebugOutput() = default;
    virtual void Write(const char* text) = 0;
};

}  // namespace vx
