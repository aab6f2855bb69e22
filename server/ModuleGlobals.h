// Module-wide values kept by the module object.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace vx {

class CZrDriveDlg;
class CWinAppBase;

extern uint32_t LiveObjectCount;
extern InstanceHandle ModuleInstance;
extern CZrDriveDlg* AdvancedPage;
extern CWinAppBase* SavedCurrentApp;

}  // namespace vx
