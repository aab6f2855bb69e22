// Every module-wide value of the module is defined here, whatever layer
// declares it, because C++ orders the construction of static objects only
// within one file: here they are constructed in the order written when the
// module is attached, and destroyed in reverse order when it is detached.
// The order is the module's own: the framework's module record (plain
// data, ready before all of them), the empty DriverKeyPath, the
// application object (which enters itself in the module record),
// PendingAction holding "Dynamic", and the page class's entry in the
// module's class list. The plain values hold their zeros before any
// constructor runs.
#include "layout/PendingAction.h"
#include "page/ModuleContext.h"
#include "page/ZrDriveDlg.h"
#include "server/AdvancedPageApp.h"
#include "server/ModuleGlobals.h"
#include "store/DriverKey.h"

namespace vx {

uint32_t LiveObjectCount = 0;
InstanceHandle ModuleInstance = nullptr;
CZrDriveDlg* AdvancedPage = nullptr;
CWinAppBase* SavedCurrentApp = nullptr;

CString DriverKeyPath;
CAdvancedPageApp theApp;
CString PendingAction("Dynamic");
static AfxClassInit s_initCZrDriveDlg(&CZrDriveDlg::classCZrDriveDlg);

}  // namespace vx
