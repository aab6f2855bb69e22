// The module-wide layout cursor and page metrics.
#pragma once

#include <cstdint>

#include "platform/framework/PtrList.h"

namespace vx {

constexpr int32_t ControlIdBase = 2000;

extern int32_t LayoutX;
extern int32_t LayoutY;
extern int32_t LastControlId;
extern int32_t GroupMemberCount;
extern CPtrList::POSITION PendingGroup;  // null: none

extern int32_t GroupBoxWidth;
extern int32_t ColumnWidth;
extern int32_t SecondColumnX;
extern int32_t AvailableHeight;

void ResetLayoutCursor();

}  // namespace vx
