// Help, message box, restart, display mode and string resources through USER32.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32ShellServices final : public IShellServices {
  public:
    VX_OVERRIDES(VX_SHELL_METHODS)
};

}  // namespace vx
