// The module's static objects, constructed in this order when the module is
// attached and destroyed in reverse order when it is detached. (The
// framework's module record is plain data and exists before all of them.)
#include "layout/PendingAction.h"
#include "page/ZrDriveDlg.h"
#include "server/AdvancedPageApp.h"
#include "store/DriverKey.h"

namespace vx {

CString DriverKeyPath;
CAdvancedPageApp theApp;
CString PendingAction("Dynamic");
static AfxClassInit s_initCZrDriveDlg(&CZrDriveDlg::classCZrDriveDlg);

}  // namespace vx
