// The Windows backend as a whole: one object of each platform service over
// the real API, installed into Platform() for the logic to use. The help
// library's BuildModulePath is provided by the module itself and is not
// touched here.
#pragma once

#include "Win32DebugOutput.h"
#include "Win32Libraries.h"
#include "Win32Profile.h"
#include "Win32PropertySheets.h"
#include "Win32Registry.h"
#include "Win32ShellServices.h"
#include "Win32System.h"
#include "Win32Windowing.h"
#include "platform/Platform.h"

namespace vx {

// Install points every service of Platform() except the module path at
// this object.
class Win32Platform : public InstalledServices {
  public:
    Win32Platform();

    Win32Registry& Registry() { return m_registry; }
    Win32System& System() { return m_system; }

  private:
    Win32Registry m_registry;
    Win32Profile m_profile;
    Win32Libraries m_libraries;
    Win32System m_system;
    Win32DebugOutput m_debug;
    Win32Windowing m_windows;
    Win32PropertySheets m_sheets;
    Win32ShellServices m_shell;
};

}  // namespace vx
