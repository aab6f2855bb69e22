// The one place where the logic finds the platform. A backend fills it in
// before the logic runs (the DLL at process attach, a test in its set-up).
#pragma once

#include "DebugOutput.h"
#include "Libraries.h"
#include "Profile.h"
#include "Registry.h"
#include "System.h"
#include "Windowing.h"

namespace vx {

struct PlatformServices {
    IRegistry* registry = nullptr;
    IProfile* profile = nullptr;
    ILibraryLoader* libraries = nullptr;
    ISystem* system = nullptr;
    IDebugOutput* debug = nullptr;
    IWindowing* windows = nullptr;
    IPropertySheets* sheets = nullptr;
    IShellServices* shell = nullptr;
    IModulePath* modulePath = nullptr;
};

PlatformServices& Platform();

}  // namespace vx
