#include "layout/PendingAction.h"

#include <cstring>

namespace vx {

void RaisePendingAction(const char* action) {
    if (action == nullptr) return;
    if (std::strcmp(action, "Reboot") == 0) {
        PendingAction = "Reboot";
    } else if (std::strcmp(action, "Mode") == 0 && PendingAction == "Dynamic") {
        PendingAction = "Mode";
    }
}

}  // namespace vx
