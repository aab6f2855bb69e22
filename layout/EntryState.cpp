// Binding of an entry's on/off state to bits of its INI integer: loading,
// resetting to the default and saving.
#include <cstdio>

#include "layout/IniBinding.h"
#include "layout/PendingAction.h"
#include "layout/SettingButton.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "store/LayoutStore.h"

namespace vx {

namespace {
constexpr int kRead = 1;
}

int CSettingButton::LoadState(int flag) {
    if (flag != 0) {
        ResetStep step;
        // Without the memory to read the default, the entry stays as it is.
        return PrepareReset(&step) ? CommitReset(step) : 0;
    }

    m_nState = 0;
    CLayoutStore store;
    m_nState = ReadDefaultState(store, m_strName);
    IniBinding binding;
    IProfile* profile = Platform().profile;
    const int bound = profile != nullptr && ReadIniBinding(store, m_strName, &binding);
    // A state loaded from texts cut short by a failed allocation is not the
    // entry's: the entry is not whole.
    if (store.RanOutOfMemory()) m_bWhole = 0;
    if (!bound) return 0;
    const int32_t fallback = m_nState != 0 ? binding.orMask : 0;
    const uint32_t value = profile->GetInt(binding.section, binding.key, fallback, binding.file);
    m_nState = (value & static_cast<uint32_t>(binding.orMask)) != 0 ? 1 : 0;
    return 0;
}

int CSettingButton::PrepareReset(ResetStep* step) const {
    CLayoutStore store;
    step->state = ReadDefaultState(store, m_strName);
    if (step->state != m_nAppliedState) {
        step->hasAction = store.AssociationValue(m_strName, "Action", step->action, kRead);
    }
    return store.RanOutOfMemory() ? 0 : 1;
}

int CSettingButton::CommitReset(const ResetStep& step) {
    m_nState = step.state;
    // An entry without a button (one that got no control) has no check to set.
    if (GetSafeHwnd() != nullptr) Send(kBmSetCheck, static_cast<uintptr_t>(m_nState), 0);
    if (m_nState == m_nAppliedState) return 0;
    if (step.hasAction) RaisePendingAction(step.action);
    m_nAppliedState = m_nState;
    return 1;
}

void CSettingButton::SaveState() {
    SaveStep step;
    if (PrepareSave(&step)) CommitSave(step);
}

int CSettingButton::PrepareSave(SaveStep* step) const {
    // Without a button there is no check to read: the INI integer is left
    // as it is and nothing counts as applied.
    step->hasButton = GetSafeHwnd() != nullptr;
    if (!step->hasButton) return 1;
    step->state = static_cast<int32_t>(Send(kBmGetCheck, 0, 0));
    CLayoutStore store;
    step->bound = Platform().profile != nullptr && ReadIniBinding(store, m_strName, &step->binding);
    if (step->bound && step->state != m_nAppliedState) {
        step->hasAction = store.AssociationValue(m_strName, "Action", step->action, kRead);
    }
    return store.RanOutOfMemory() ? 0 : 1;
}

void CSettingButton::CommitSave(const SaveStep& step) {
    if (!step.hasButton) return;
    m_nState = step.state;
    IProfile* profile = Platform().profile;
    if (!step.bound || profile == nullptr) return;

    const IniBinding& binding = step.binding;
    int32_t value =
        static_cast<int32_t>(profile->GetInt(binding.section, binding.key, 0, binding.file));
    value = m_nState == 0 ? (value & binding.andMask) : (value | binding.orMask);
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    profile->WriteString(binding.section, binding.key, text, binding.file);

    if (m_nState != m_nAppliedState) {
        if (step.hasAction) RaisePendingAction(step.action);
        m_nAppliedState = m_nState;
    }
}

}  // namespace vx
