#include "platform/host/HostUi.h"

#include "platform/Platform.h"

namespace vx {

HostUi::HostUi() : sheets(windows) {}

HostUi::~HostUi() {
    Uninstall();
}

void HostUi::Install() {
    if (m_installed) return;
    PlatformServices& p = Platform();
    m_previousWindows = p.windows;
    m_previousSheets = p.sheets;
    m_previousShell = p.shell;
    p.windows = &windows;
    p.sheets = &sheets;
    p.shell = &shell;
    m_installed = true;
}

void HostUi::Uninstall() {
    if (!m_installed) return;
    sheets.ClosePage();
    PlatformServices& p = Platform();
    p.windows = m_previousWindows;
    p.sheets = m_previousSheets;
    p.shell = m_previousShell;
    m_installed = false;
}

}  // namespace vx
