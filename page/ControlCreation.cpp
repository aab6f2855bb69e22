// Placing one entry's control: the cursor advance and the creation of its
// group box, check box or radio button.
#include "layout/SettingButton.h"
#include "page/ControlPlacement.h"
#include "platform/WinConstants.h"
#include "platform/framework/PropertyPage.h"

namespace vx {

namespace {

constexpr int32_t kMemberX = 20;
constexpr int32_t kGroupBoxX = 11;
constexpr int32_t kRowHeight = 22;    // one row of check boxes or radio buttons
constexpr int32_t kGroupMargin = 25;  // a box's top and bottom margins
constexpr int32_t kGroupGap = 8;      // from one box to the next
constexpr int32_t kButtonHeight = 15;
constexpr uint32_t kFirstMemberStyle = kWsGroup | kWsTabStop;

enum class Kind { Group, Check, Radio, Other };

Kind KindOf(const CSettingButton& entry) {
    if (entry.m_strKind == "Group") return Kind::Group;
    if (entry.m_strKind == "Check") return Kind::Check;
    if (entry.m_strKind == "Radio") return Kind::Radio;
    return Kind::Other;
}

}  // namespace

void CSettingButton::AdvanceCursor(int oneColumn) {
    switch (KindOf(*this)) {
        case Kind::Group:
            LayoutX = kGroupBoxX;
            LayoutY += (GroupMemberCount != 0 || m_nOrder == 0) ? kGroupMargin : kGroupGap;
            break;
        case Kind::Check:
        case Kind::Radio:
            if (LayoutX != kMemberX || oneColumn != 0) {
                LayoutX = kMemberX;  // a new row, first column
                LayoutY += kRowHeight;
            } else {
                LayoutX = SecondColumnX;  // second column of the same row
            }
            break;
        case Kind::Other:
            break;
    }
}

void CSettingButton::CreateControl(CPropertyPageBase* page, CFontRef* font, int oneColumn) {
    const Kind kind = KindOf(*this);
    if (kind == Kind::Other) return;  // nothing to show, no id used

    AdvanceCursor(oneColumn);
    const uintptr_t fontHandle =
        reinterpret_cast<uintptr_t>(font ? font->GetSafeHandle() : nullptr);
    Rect rect;

    if (kind == Kind::Group) {
        const int32_t n = GroupMemberCount;
        // One row per member in one column, one row per started pair in two.
        const int32_t rows = oneColumn != 0 ? n : (n + 1) / 2;
        rect.left = LayoutX;
        rect.top = LayoutY - kRowHeight * rows - kGroupMargin;
        rect.right = LayoutX + GroupBoxWidth;
        rect.bottom = LayoutY;
        ++LastControlId;
        Create(m_strCaption, kWsChild | kWsVisible | kBsGroupBox, rect, page, LastControlId);
        Send(kWmSetFont, fontHandle, 1);
        GroupMemberCount = 0;
        return;
    }

    rect.left = LayoutX;
    rect.top = LayoutY;
    rect.right = LayoutX + (oneColumn != 0 ? 2 * ColumnWidth : ColumnWidth);
    rect.bottom = LayoutY + kButtonHeight;
    uint32_t style =
        kWsChild | kWsVisible | (kind == Kind::Check ? kBsAutoCheckBox : kBsAutoRadioButton);
    if (GroupMemberCount == 0) style |= kFirstMemberStyle;  // starts a tab stop and a radio group
    ++LastControlId;
    Create(m_strCaption, style, rect, page, LastControlId);
    Send(kWmSetFont, fontHandle, 1);
    Send(kBmSetCheck, static_cast<uintptr_t>(m_nState), 0);
    if (PendingGroup != nullptr) ++GroupMemberCount;
}

}  // namespace vx
