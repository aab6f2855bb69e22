#include "AdvancedPageApp.h"

#include <new>

#include "ModuleGlobals.h"
#include "page/ZrDriveDlg.h"

namespace vx {

int CAdvancedPageApp::InitInstance() {
    ModuleInstance = m_hInstance;
    AdvancedPage = new (std::nothrow) CZrDriveDlg();
    SavedCurrentApp = AfxGetModuleState()->m_pCurrentWinApp;
    return CWinAppBase::InitInstance();
}

int CAdvancedPageApp::ExitInstance() {
    // Cleared as well, so that a second exit step (a failed attach is
    // followed by a detach) finds nothing left to destroy.
    CZrDriveDlg* page = AdvancedPage;
    AdvancedPage = nullptr;
    delete page;
    return CWinAppBase::ExitInstance();
}

}  // namespace vx
