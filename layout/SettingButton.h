// One layout entry: a Layout value parsed into kind, group and order, bound
// to bits of an INI integer; it is also the button control that shows it.
#pragma once

#include <cstdint>

#include "platform/framework/Button.h"
#include "platform/framework/FrameworkString.h"

namespace vx {

class CPropertyPageBase;

class CSettingButton : public CButtonBase {
  public:
    // Parses the name, takes the data as caption and loads the state.
    CSettingButton(const CString& name, const CString& data);
    ~CSettingButton() override;

    int IsGroup() const;
    int IsCheckedRadio() const;
    // -1, 0 or 1.
    int Compare(const CSettingButton& other) const;
    // Called on a Group entry: 1 when the member belongs to it.
    int Admits(const CSettingButton& member) const;
    // Deletes the entry's Layout value and, unless it is a Group entry, its
    // Association key. Always 0.
    int RemoveStoredData();

    // flag 0: load from the INI file; flag 1: reset to the default.
    int LoadState(int flag);
    // Writes the button's check back into the INI integer.
    void SaveState();

    // Moves the layout cursor to where this entry's control goes.
    void AdvanceCursor(int oneColumn);
    // Advances the cursor and creates the entry's control.
    void CreateControl(CPropertyPageBase* page, CFontRef* font, int oneColumn);

    int32_t m_nAppliedState = 0;
    CString m_strName;
    int32_t m_nState = 0;
    int32_t m_nOrder = 0;
    int32_t m_nGroup = 0;
    CString m_strCaption;
    CString m_strKind;
};

}  // namespace vx
