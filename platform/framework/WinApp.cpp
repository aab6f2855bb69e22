#include "WinApp.h"

namespace vx {

CWinAppBase::CWinAppBase(const char* appName) : m_pszAppName(appName) {
    AfxGetModuleState()->m_pCurrentWinApp = this;
}

CWinAppBase::~CWinAppBase() {
    ModuleState* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this) state->m_pCurrentWinApp = nullptr;
}

int CWinAppBase::InitInstance() {
    return 1;
}

int CWinAppBase::ExitInstance() {
    return 0;
}

int AfxModuleAttach(InstanceHandle instance) {
    ModuleState* state = AfxGetModuleState();
    state->m_hCurrentInstanceHandle = instance;
    state->m_hCurrentResourceHandle = instance;
    CWinAppBase* app = state->m_pCurrentWinApp;
    if (app == nullptr) return 1;
    app->m_hInstance = instance;
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 0;
    }
    return 1;
}

int AfxModuleDetach() {
    CWinAppBase* app = AfxGetModuleState()->m_pCurrentWinApp;
    return app ? app->ExitInstance() : 0;
}

}  // namespace vx
