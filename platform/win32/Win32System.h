// System metrics and keyboard state of the running Windows system.
#pragma once

#include "platform/System.h"

namespace vx {

class Win32System final : public ISystem {
  public:
    VX_OVERRIDES(VX_SYSTEM_METHODS)
};

}  // namespace vx
