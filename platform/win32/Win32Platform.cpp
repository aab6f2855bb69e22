#include "Win32Platform.h"

namespace vx {

Win32Platform::Win32Platform() {
    SetOwn(PlatformServices{&m_registry, &m_profile, &m_libraries, &m_system, &m_debug, &m_windows,
                            &m_sheets, &m_shell, nullptr});
}

}  // namespace vx
