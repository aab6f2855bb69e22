#include "HostPlatform.h"

namespace vx {

HostPlatform::HostPlatform(std::string windowsDir) : m_profile(std::move(windowsDir)) {
    SetOwnServices();
}

HostPlatform::HostPlatform(ProfileFolders folders) : m_profile(std::move(folders)) {
    SetOwnServices();
}

void HostPlatform::SetOwnServices() {
    PlatformServices own;
    own.registry = &m_registryApi;
    own.profile = &m_profile;
    own.libraries = &m_libraries;
    own.system = &m_system;
    own.debug = &m_debug;
    own.modulePath = &m_modulePath;
    SetOwn(own);
}

}  // namespace vx
