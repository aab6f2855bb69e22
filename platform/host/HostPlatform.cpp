#include "HostPlatform.h"

#include "platform/Platform.h"

namespace vx {

HostPlatform::HostPlatform(std::string windowsDir) : m_profile(std::move(windowsDir)) {}

HostPlatform::HostPlatform(ProfileFolders folders) : m_profile(std::move(folders)) {}

HostPlatform::~HostPlatform() {
    Uninstall();
}

void HostPlatform::Install() {
    PlatformServices& services = Platform();
    services.registry = &m_registryApi;
    services.profile = static_cast<IProfile*>(&m_profile);
    services.libraries = &m_libraries;
    services.system = &m_system;
    services.debug = &m_debug;
    services.modulePath = &m_modulePath;
}

void HostPlatform::Uninstall() {
    PlatformServices& services = Platform();
    auto clear = [](auto*& slot, auto* mine) {
        if (slot != nullptr && slot == mine) slot = nullptr;
    };
    clear(services.registry, static_cast<IRegistry*>(&m_registryApi));
    clear(services.profile, static_cast<IProfile*>(&m_profile));
    clear(services.libraries, static_cast<ILibraryLoader*>(&m_libraries));
    clear(services.system, static_cast<ISystem*>(&m_system));
    clear(services.debug, static_cast<IDebugOutput*>(&m_debug));
    clear(services.modulePath, static_cast<IModulePath*>(&m_modulePath));
}

}  // namespace vx
