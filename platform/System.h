// System queries: start mode and keyboard state.
#pragma once

#include <cstdint>

namespace vx {

class ISystem {
  public:
    virtual ~ISystem() = default;
    // GetSystemMetrics.
    virtual int GetSystemMetrics(int index) = 0;
    // GetKeyState: the high-order bit of the 16-bit result is set while the key is down.
    virtual int16_t GetKeyState(int virtualKey) = 0;
};

}  // namespace vx
