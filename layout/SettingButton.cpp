// A layout entry: its name parsed into kind, group and order, and the order
// of entries in the page's list.
#include "layout/SettingButton.h"

#include <cstring>

#include "store/LayoutStore.h"

namespace vx {

namespace {

constexpr int kKindLength = 5;
constexpr int kGroupIndex = 5;
constexpr int kOrderIndex = 7;

// The name's character at index as a signed 8-bit number. A name too short
// to have that character counts as ending in zero bytes, so its number is
// -48 and nothing past the name's end is ever read.
int32_t NameCharacter(const CString& name, int index) {
    if (index >= name.GetLength()) return 0;
    return static_cast<int32_t>(static_cast<int8_t>(static_cast<uint8_t>(name[index])));
}

const char* const kKinds[] = {"Group", "Check", "Radio"};

const char* KindOf(const CString& name) {
    for (const char* kind : kKinds) {
        if (std::strncmp(name, kind, kKindLength) == 0) return kind;
    }
    return "";
}

}  // namespace

CSettingButton::CSettingButton(const CString& name, const CString& data)
    : m_strName(name), m_strCaption(data), m_strKind(KindOf(name)) {
    // A copy that could not be allocated is left empty: an entry without its
    // name or kind would be taken for another (an empty kind is pruned).
    m_bWhole = m_strName.GetLength() == name.GetLength() &&
               m_strCaption.GetLength() == data.GetLength() &&
               m_strKind.GetLength() == static_cast<int>(std::strlen(KindOf(name)));
    m_nGroup = NameCharacter(name, kGroupIndex) - '0';
    m_nOrder = NameCharacter(name, kOrderIndex) - '0';
    LoadState(0);
    m_nAppliedState = m_nState;
}

CSettingButton::~CSettingButton() = default;

int CSettingButton::IsGroup() const {
    return m_strKind == "Group" ? 1 : 0;
}

int CSettingButton::IsCheckedRadio() const {
    return m_strKind == "Radio" && m_nState != 0 ? 1 : 0;
}

int CSettingButton::Compare(const CSettingButton& other) const {
    if (m_nGroup != other.m_nGroup) return m_nGroup < other.m_nGroup ? -1 : 1;
    const bool group = IsGroup() != 0;
    const bool otherGroup = other.IsGroup() != 0;
    if (group != otherGroup) return group ? -1 : 1;
    if (group) return 0;
    if (m_nOrder == other.m_nOrder) return 0;
    return m_nOrder < other.m_nOrder ? -1 : 1;
}

int CSettingButton::Admits(const CSettingButton& member) const {
    return m_nGroup == member.m_nGroup && m_nOrder >= member.m_nOrder ? 1 : 0;
}

int CSettingButton::RemoveStoredData() {
    CLayoutStore store;
    if (!IsGroup()) store.DeleteAssociation(m_strName);
    store.DeleteLayoutValue(m_strName);
    return 0;
}

}  // namespace vx
