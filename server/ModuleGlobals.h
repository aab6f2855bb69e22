// Module-wide values kept by the module object. Those that the page reads
// as well are declared in page/ModuleContext.h.
#pragma once

#include <cstdint>

#include "page/ModuleContext.h"

namespace vx {

class CZrDriveDlg;

extern uint32_t LiveObjectCount;
extern CZrDriveDlg* AdvancedPage;

}  // namespace vx
