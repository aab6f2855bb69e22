// What the page needs of the module object (server/): the module's
// instance handle and the framework's current-application pointer, both
// kept by the application object's start-up step. Declared here, where the
// page reads them; defined with the module's other static values in
// server/ModuleObjects.cpp.
#pragma once

#include "platform/Types.h"

namespace vx {

class CWinAppBase;

extern InstanceHandle ModuleInstance;
extern CWinAppBase* SavedCurrentApp;

}  // namespace vx
