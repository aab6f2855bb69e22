// The advanced page: built on the framework's property page from template
// 107, it creates one control per layout entry when its dialog is
// initialised, and applies and resets them.
#pragma once

#include "layout/SettingButton.h"
#include "platform/framework/PropertyPage.h"
#include "platform/framework/PtrList.h"

namespace vx {

constexpr uint32_t kPageTemplateId = 107;

class CZrDriveDlg : public CPropertyPageBase {
  public:
    CZrDriveDlg();
    ~CZrDriveDlg() override;
    const CRuntimeClass* GetRuntimeClass() const override;
    static CRuntimeClass classCZrDriveDlg;

    int OnCommand(uintptr_t wParam, intptr_t lParam) override;
    int OnNotify(uintptr_t wParam, NotifyHeader* header, intptr_t* result) override;
    void DoDataExchange() override;
    int OnInitDialog() override;
    int OnApply() override;
    void OnReset() override;
    const MessageMapEntry* GetMessageMap() const override;
    void OnPageWindowDestroyed() override;

    // 0 when a Layout value could not get its entry whole (out of memory).
    int LoadEntries();
    // Takes the entry; 0 when it could not be kept (null, or no list node).
    int InsertEntry(CSettingButton* entry);
    int FitsOneColumn();
    void LayoutControls();

    CFontRef* m_pButtonFont = nullptr;
    CTypedPtrList<CSettingButton> m_entries;

  private:
    // Destroys every entry without touching its registry data.
    void DestroyEntries();
    // The entries that are not Group entries.
    int CountSettings() const;
};

}  // namespace vx
