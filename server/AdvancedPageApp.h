// The module's application object: creates the one page object at start-up
// and destroys it at exit.
#pragma once

#include "platform/framework/WinApp.h"

namespace vx {

class CAdvancedPageApp : public CWinAppBase {
  public:
    CAdvancedPageApp() : CWinAppBase(nullptr) {}
    int InitInstance() override;
    int ExitInstance() override;
};

extern CAdvancedPageApp theApp;

}  // namespace vx
