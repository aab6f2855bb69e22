// Binding of an entry's on/off state to bits of its INI integer: loading,
// resetting to the default and saving.
#include <cstdio>

#include "layout/IniBinding.h"
#include "layout/SettingButton.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "store/LayoutStore.h"

namespace vx {

int CSettingButton::LoadState(int flag) {
    m_nState = 0;
    CLayoutStore store;
    m_nState = ReadDefaultState(store, m_strName);

    if (flag == 0) {
        IniBinding binding;
        IProfile* profile = Platform().profile;
        if (profile == nullptr || !ReadIniBinding(store, m_strName, &binding)) return 0;
        const int32_t fallback = m_nState != 0 ? binding.orMask : 0;
        const uint32_t value =
            profile->GetInt(binding.section, binding.key, fallback, binding.file);
        m_nState = (value & static_cast<uint32_t>(binding.orMask)) != 0 ? 1 : 0;
        return 0;
    }

    // An entry without a button (one that got no control) has no check to set.
    if (GetSafeHwnd() != nullptr) Send(kBmSetCheck, static_cast<uintptr_t>(m_nState), 0);
    if (m_nState == m_nAppliedState) return 0;
    RaiseByAction(store, m_strName);
    m_nAppliedState = m_nState;
    return 1;
}

void CSettingButton::SaveState() {
    // Without a button there is no check to read: the INI integer is left
    // as it is and nothing counts as applied.
    if (GetSafeHwnd() == nullptr) return;
    m_nState = static_cast<int32_t>(Send(kBmGetCheck, 0, 0));

    CLayoutStore store;
    IniBinding binding;
    IProfile* profile = Platform().profile;
    if (profile == nullptr || !ReadIniBinding(store, m_strName, &binding)) return;

    int32_t value =
        static_cast<int32_t>(profile->GetInt(binding.section, binding.key, 0, binding.file));
    value = m_nState == 0 ? (value & binding.andMask) : (value | binding.orMask);
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    profile->WriteString(binding.section, binding.key, text, binding.file);

    if (m_nState != m_nAppliedState) {
        RaiseByAction(store, m_strName);
        m_nAppliedState = m_nState;
    }
}

}  // namespace vx
