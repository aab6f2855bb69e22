// The strongest follow-up that the changes applied so far require:
// "Dynamic", "Mode" or "Reboot". It only ever rises.
#pragma once

#include "platform/framework/FrameworkString.h"

namespace vx {

extern CString PendingAction;

// Raises PendingAction with an Association "Action" text.
void RaisePendingAction(const char* action);

}  // namespace vx
