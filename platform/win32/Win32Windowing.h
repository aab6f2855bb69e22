// Child button windows and window messages through USER32.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32Windowing final : public IWindowing {
  public:
    VX_OVERRIDES(VX_WINDOWING_METHODS)
};

}  // namespace vx
