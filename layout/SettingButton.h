// One layout entry: a Layout value parsed into kind, group and order, bound
// to bits of an INI integer; it is also the button control that shows it.
#pragma once

#include <cstdint>

#include "layout/IniBinding.h"
#include "platform/framework/Button.h"
#include "platform/framework/FrameworkString.h"

namespace vx {

class CPropertyPageBase;

// What saving an entry will do, read before anything is written.
struct SaveStep {
    int hasButton = 0;
    int32_t state = 0;  // the button's check
    int bound = 0;      // the five INI values were read
    IniBinding binding;
    int hasAction = 0;  // "Action" was read (only when the state changed)
    CString action;
};

// What resetting an entry will do, read before anything is changed.
struct ResetStep {
    int32_t state = 0;  // the default
    int hasAction = 0;  // "Action" was read (only when the default differs)
    CString action;
};

class CSettingButton : public CButtonBase {
  public:
    // Parses the name, takes the data as caption and loads the state.
    CSettingButton(const CString& name, const CString& data);
    ~CSettingButton() override;

    // 0 when one of the entry's strings (its name, caption or kind, or a
    // text that loading its state read) could not be allocated: the entry
    // then stands for nothing and must not be placed, evicted or pruned.
    int IsWhole() const { return m_bWhole; }

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

    // Reset and save in two halves, so that a page changes nothing unless it
    // could read what every entry needs: the first half only reads, and
    // returns 0 when a string could not be allocated; the second half does
    // not allocate strings. CommitReset returns what LoadState(1) returns.
    int PrepareReset(ResetStep* step) const;
    int CommitReset(const ResetStep& step);
    int PrepareSave(SaveStep* step) const;
    void CommitSave(const SaveStep& step);

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

  private:
    int m_bWhole = 1;
};

}  // namespace vx
