// System metrics and keyboard state of the running Windows system.
#pragma once

#include "platform/System.h"

namespace vx {

class Win32System final : public ISystem {
  public:
    int GetSystemMetrics(int index) override;
    int16_t GetKeyState(int virtualKey) override;
};

}  // namespace vx
