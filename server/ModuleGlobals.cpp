#include "ModuleGlobals.h"

namespace vx {

uint32_t LiveObjectCount = 0;
InstanceHandle ModuleInstance = nullptr;
CZrDriveDlg* AdvancedPage = nullptr;
CWinAppBase* SavedCurrentApp = nullptr;

}  // namespace vx
