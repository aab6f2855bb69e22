// The advanced page: construction and destruction, dialog initialisation,
// the layout pass, and the commands (clicks, "&Reset", Help, Apply).
#include "page/ZrDriveDlg.h"

#include <memory>
#include <new>

#include "page/ControlPlacement.h"
#include "page/ModuleContext.h"
#include "page/PostApply.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "platform/framework/FrameworkString.h"

namespace vx {

namespace {

constexpr int kResetButtonId = 1005;
constexpr int kIconId = 1018;
constexpr uint32_t kFirstEntryCommand = ControlIdBase + 1;   // 2001
constexpr uint32_t kEndEntryCommands = ControlIdBase + 256;  // 2256, not included
constexpr const char* kHelpFile = "tarnel.hlp";

// Margins of the one-column height estimate.
constexpr int32_t kFirstGroupHeight = 25;
constexpr int32_t kNextGroupHeight = 33;
constexpr int32_t kMemberHeight = 22;
// Metrics from the template's own controls.
constexpr int32_t kColumnInset = 17;
constexpr int32_t kSecondColumnOffset = 19;
constexpr int32_t kHeightMargin = 17;

CObject* CreateZrDriveDlg() {
    return new (std::nothrow) CZrDriveDlg;
}
CRuntimeClass* PropertyPageClass() {
    return &CPropertyPageBase::classCPropertyPage;
}

const MessageMapEntry kMessageMap[] = {
    {kWmContextMenu, 0, 0, nullptr},
    // OnReset through its virtual slot, so that the page's own runs.
    {kWmCommand, kBnClicked, kResetButtonId, &CPropertyPageBase::OnReset},
    {kWmLButtonDown, 0, 0, nullptr},
    {0, 0, 0, nullptr},
};

}  // namespace

CRuntimeClass CZrDriveDlg::classCZrDriveDlg = {"CZrDriveDlg",     sizeof(CZrDriveDlg), 0xFFFF,
                                               &CreateZrDriveDlg, &PropertyPageClass,  nullptr};

CZrDriveDlg::CZrDriveDlg() : CPropertyPageBase(kPageTemplateId) {
    ResetLayoutCursor();
}

CZrDriveDlg::~CZrDriveDlg() {
    DestroyEntries();
}

const CRuntimeClass* CZrDriveDlg::GetRuntimeClass() const {
    return &classCZrDriveDlg;
}

const MessageMapEntry* CZrDriveDlg::GetMessageMap() const {
    return kMessageMap;
}

void CZrDriveDlg::DestroyEntries() {
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) delete m_entries.GetNext(pos);
    m_entries.RemoveAll();
}

// The buttons die with the page's window; the entries stay (their data is
// untouched) until the next showing replaces them, and must not keep the
// dead handles, which the system may give to other windows meanwhile.
// Called only for the page's current window: every entry was made by its
// showing, so every button is that window's child.
void CZrDriveDlg::OnPageWindowDestroyed() {
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) m_entries.GetNext(pos)->Detach();
}

void CZrDriveDlg::DoDataExchange() {}

int CZrDriveDlg::OnInitDialog() {
    CPropertyPageBase::OnInitDialog();

    IWindowing* windows = Platform().windows;
    WindowHandle reset = GetDlgItem(kResetButtonId);
    FontHandle font = nullptr;
    if (windows != nullptr && reset != nullptr) {
        font = reinterpret_cast<FontHandle>(windows->Send(reset, kWmGetFont, 0, 0));
    }
    m_pButtonFont = CFontRef::FromHandle(font);

    Rect resetRect;
    Rect iconRect;
    if (windows != nullptr) {
        windows->GetWindowRect(reset, &resetRect);
        windows->GetWindowRect(GetDlgItem(kIconId), &iconRect);
    }
    GroupBoxWidth = resetRect.right - iconRect.left;
    const uint32_t half = static_cast<uint32_t>(GroupBoxWidth) >> 1;
    ColumnWidth = static_cast<int32_t>(half) - kColumnInset;
    SecondColumnX = static_cast<int32_t>(half) + kSecondColumnOffset;
    AvailableHeight = resetRect.top - iconRect.bottom - kHeightMargin;

    AfxGetModuleState()->m_pCurrentWinApp = SavedCurrentApp;

    // The same page object serves every showing of the page: the entries
    // of an earlier showing go (their registry data stays) and the cursor
    // starts afresh, so every showing lays out and numbers alike.
    DestroyEntries();
    ResetLayoutCursor();

    // An incomplete list is not laid out: its pruning would delete the
    // stored data of members whose group is missing from it.
    if (LoadEntries()) LayoutControls();
    return 1;
}

int CZrDriveDlg::FitsOneColumn() {
    uint32_t sum = 0;
    const CSettingButton* last = nullptr;
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        const CSettingButton* entry = m_entries.GetNext(pos);
        if (entry->IsGroup()) {
            sum += last == nullptr ? kFirstGroupHeight : kNextGroupHeight;
            last = entry;
        } else if (last != nullptr && last->Admits(*entry)) {
            sum += kMemberHeight;
        }
    }
    return static_cast<uint32_t>(AvailableHeight) >= sum ? 1 : 0;
}

void CZrDriveDlg::LayoutControls() {
    const int one = FitsOneColumn();
    const CSettingButton* current = nullptr;
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        const CPtrList::POSITION at = pos;
        CSettingButton* entry = m_entries.GetNext(pos);
        if (entry->IsGroup()) {
            if (PendingGroup != nullptr) {
                CSettingButton* group = m_entries.GetAt(PendingGroup);
                group->CreateControl(this, m_pButtonFont, one);
                PendingGroup = nullptr;
                group->AdvanceCursor(1);
            }
            current = entry;
            PendingGroup = at;
        } else if (current == nullptr) {
            // Before the first Group entry: stays in the list without a control.
        } else if (current->Admits(*entry)) {
            entry->CreateControl(this, m_pButtonFont, one);
        } else {
            entry->RemoveStoredData();
            m_entries.RemoveAt(at);
            delete entry;
        }
    }
    if (PendingGroup != nullptr) {
        m_entries.GetAt(PendingGroup)->CreateControl(this, m_pButtonFont, one);
    }
    PendingGroup = nullptr;
}

int CZrDriveDlg::OnCommand(uintptr_t wParam, intptr_t lParam) {
    const uint32_t w = static_cast<uint32_t>(wParam);
    if (w >= kFirstEntryCommand && w < kEndEntryCommands) {
        CPtrList::POSITION pos = m_entries.FindIndex(static_cast<int>(w - ControlIdBase));
        if (pos != nullptr && !m_entries.GetAt(pos)->IsCheckedRadio()) SetModified();
    }
    return CPropertyPageBase::OnCommand(wParam, lParam);
}

int CZrDriveDlg::OnNotify(uintptr_t wParam, NotifyHeader* header, intptr_t* result) {
    CString path;
    if (header != nullptr && header->code == kPsnHelp) {
        IModulePath* modulePath = Platform().modulePath;
        IShellServices* shell = Platform().shell;
        if (modulePath != nullptr && modulePath->BuildModulePath(ModuleInstance, path, kHelpFile) &&
            shell != nullptr) {
            shell->ShowHelp(GetSafeHwnd(), path, kHelpFinder, 0);
        }
    }
    return CPropertyPageBase::OnNotify(wParam, header, result);
}

int CZrDriveDlg::CountSettings() const {
    int count = 0;
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) count += m_entries.GetNext(pos)->IsGroup() ? 0 : 1;
    return count;
}

// Apply and Reset first read what every entry needs and change nothing
// unless all of it could be had: a run cut short by a failed allocation
// would leave some settings applied or reset and others not. An Apply
// that could not read it writes nothing and reports that nothing was
// applied, so that the sheet keeps its Apply button.
int CZrDriveDlg::OnApply() {
    const int count = CountSettings();
    std::unique_ptr<SaveStep[]> steps(count > 0 ? new (std::nothrow) SaveStep[count] : nullptr);
    if (count > 0 && steps == nullptr) return 0;
    int i = 0;
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        const CSettingButton* entry = m_entries.GetNext(pos);
        if (!entry->IsGroup() && !entry->PrepareSave(&steps[i++])) return 0;
    }
    i = 0;
    pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        CSettingButton* entry = m_entries.GetNext(pos);
        if (!entry->IsGroup()) entry->CommitSave(steps[i++]);
    }
    RunPostApplyAction();
    return CPropertyPageBase::OnApply();
}

void CZrDriveDlg::OnReset() {
    const int count = CountSettings();
    std::unique_ptr<ResetStep[]> steps(count > 0 ? new (std::nothrow) ResetStep[count] : nullptr);
    if (count > 0 && steps == nullptr) return;
    int i = 0;
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        const CSettingButton* entry = m_entries.GetNext(pos);
        if (!entry->IsGroup() && !entry->PrepareReset(&steps[i++])) return;
    }
    i = 0;
    pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        CSettingButton* entry = m_entries.GetNext(pos);
        if (!entry->IsGroup() && entry->CommitReset(steps[i++]) != 0) SetModified();
    }
}

}  // namespace vx
