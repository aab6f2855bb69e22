// The host backend's user interface: headless windows, a headless property
// sheet and recording shell services, installed together into the
// platform's windows, sheets and shell slots.
#pragma once

#include "platform/Platform.h"
#include "platform/host/HostPropertySheets.h"
#include "platform/host/HostShellServices.h"
#include "platform/host/HostWindowing.h"

namespace vx {

// Install puts the three services into Platform(), remembering what was
// there; Uninstall closes the sheet's page and puts back what it found.
class HostUi : public InstalledServices {
  public:
    HostUi();
    ~HostUi();

    void Uninstall();

    HostWindowing windows;
    HostPropertySheets sheets;
    HostShellServices shell;
};

}  // namespace vx
