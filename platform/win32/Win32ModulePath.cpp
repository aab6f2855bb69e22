#include "Win32ModulePath.h"

#include <windows.h>

#include "platform/framework/FrameworkString.h"

// The library fills the string object in place, through its published layout.
extern "C" __declspec(dllimport) int __stdcall BuildModulePath(HINSTANCE module, vx::CString& path,
                                                               const char* fileName);

namespace vx {

int Win32ModulePath::BuildModulePath(InstanceHandle module, CString& path, const char* fileName) {
    return ::BuildModulePath(reinterpret_cast<HINSTANCE>(module), path, fileName);
}

}  // namespace vx
