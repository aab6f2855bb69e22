// The module-wide layout cursor and page metrics.
#include "page/ControlPlacement.h"

namespace vx {

namespace {
constexpr int32_t kStartX = 10;
constexpr int32_t kStartY = 50;
}  // namespace

int32_t LayoutX = kStartX;
int32_t LayoutY = kStartY;
int32_t LastControlId = ControlIdBase;
int32_t GroupMemberCount = 0;
CPtrList::POSITION PendingGroup = nullptr;

int32_t GroupBoxWidth = 0;
int32_t ColumnWidth = 0;
int32_t SecondColumnX = 0;
int32_t AvailableHeight = 0;

void ResetLayoutCursor() {
    LayoutX = kStartX;
    LayoutY = kStartY;
    LastControlId = ControlIdBase;
    GroupMemberCount = 0;
    PendingGroup = nullptr;
}

}  // namespace vx
