// The host backend's user interface: headless windows, a headless property
// sheet and recording shell services, installed together into the
// platform's windows, sheets and shell slots.
#pragma once

#include "platform/UniqueHandle.h"
#include "platform/host/HostPropertySheets.h"
#include "platform/host/HostShellServices.h"
#include "platform/host/HostWindowing.h"

namespace vx {

class HostUi : vx::Pinned {
  public:
    HostUi();
    // Uninstalls itself when it is still installed.
    ~HostUi();

    // Puts the three services into Platform(), remembering what was there.
    void Install();
    // Puts back what Install found.
    void Uninstall();

    HostWindowing windows;
    HostPropertySheets sheets;
    HostShellServices shell;

  private:
    bool m_installed = false;
    IWindowing* m_previousWindows = nullptr;
    IPropertySheets* m_previousSheets = nullptr;
    IShellServices* m_previousShell = nullptr;
};

}  // namespace vx
