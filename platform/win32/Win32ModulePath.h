// BuildModulePath of the help library "tandrel.dll", which the module
// imports when it is loaded.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32ModulePath final : public IModulePath {
  public:
    int BuildModulePath(InstanceHandle module, CString& path, const char* fileName) override;
};

}  // namespace vx
