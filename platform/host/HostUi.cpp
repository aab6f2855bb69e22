#include "platform/host/HostUi.h"

namespace vx {

HostUi::HostUi() : sheets(windows) {
    PlatformServices own;
    own.windows = &windows;
    own.sheets = &sheets;
    own.shell = &shell;
    SetOwn(own);
}

HostUi::~HostUi() {
    Uninstall();
}

void HostUi::Uninstall() {
    if (Installed()) sheets.ClosePage();
    InstalledServices::Uninstall();
}

}  // namespace vx
