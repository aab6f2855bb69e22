// BuildModulePath of the help library "tandrel.dll", which the module
// imports when it is loaded.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32ModulePath final : public IModulePath {
  public:
    VX_OVERRIDES(VX_MODULE_PATH_METHODS)
};

}  // namespace vx
