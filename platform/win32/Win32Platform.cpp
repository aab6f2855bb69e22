#include "Win32Platform.h"

#include "platform/Platform.h"

namespace vx {

namespace {
template <typename Service, typename Own>
void ClearIfOwn(Service*& slot, Own* own) {
    if (slot == own) slot = nullptr;
}
}  // namespace

Win32Platform::~Win32Platform() {
    Uninstall();
}

void Win32Platform::Install() {
    PlatformServices& services = Platform();
    services.registry = &m_registry;
    services.profile = &m_profile;
    services.libraries = &m_libraries;
    services.system = &m_system;
    services.debug = &m_debug;
    services.windows = &m_windows;
    services.sheets = &m_sheets;
    services.shell = &m_shell;
}

void Win32Platform::Uninstall() {
    PlatformServices& services = Platform();
    ClearIfOwn(services.registry, &m_registry);
    ClearIfOwn(services.profile, &m_profile);
    ClearIfOwn(services.libraries, &m_libraries);
    ClearIfOwn(services.system, &m_system);
    ClearIfOwn(services.debug, &m_debug);
    ClearIfOwn(services.windows, &m_windows);
    ClearIfOwn(services.sheets, &m_sheets);
    ClearIfOwn(services.shell, &m_shell);
}

}  // namespace vx
