// The host platform's basic services in one object: the registry, the INI
// profile functions, the start mode and keyboard, the debug output, the
// outside libraries and the help library's path function. Install() makes
// them the platform of the logic; the window, sheet and shell services are
// installed by their own object and are left alone here.
#pragma once

#include <string>

#include "HostDebugOutput.h"
#include "HostLibraries.h"
#include "HostModulePath.h"
#include "HostProfile.h"
#include "HostRegistryApi.h"
#include "HostRegistryTree.h"
#include "HostSystem.h"
#include "platform/Platform.h"

namespace vx {

class HostPlatform : public InstalledServices {
  public:
    // windowsDir is the folder of INI files named without a folder.
    explicit HostPlatform(std::string windowsDir);
    // folders: where INI file names lead (ProfilePath.h).
    explicit HostPlatform(ProfileFolders folders);
    // Takes the services out of Platform() before they go.
    ~HostPlatform() { Uninstall(); }

    HostRegistryTree& Registry() { return m_registry; }
    HostRegistryApi& RegistryApi() { return m_registryApi; }
    HostSystem& System() { return m_system; }
    HostDebugOutput& Debug() { return m_debug; }
    HostLibraries& Libraries() { return m_libraries; }
    HostModulePath& ModulePath() { return m_modulePath; }
    HostProfile& Profile() { return m_profile; }

  private:
    void SetOwnServices();

    HostRegistryTree m_registry;
    HostRegistryApi m_registryApi{m_registry};
    HostSystem m_system;
    HostDebugOutput m_debug;
    HostLibraries m_libraries;
    HostModulePath m_modulePath;
    HostProfile m_profile;
};

}  // namespace vx
