// The INI profile functions of the system (KERNEL32).
#pragma once

#include "platform/Profile.h"

namespace vx {

class Win32Profile final : public IProfile {
  public:
    VX_OVERRIDES(VX_PROFILE_METHODS)
};

}  // namespace vx
