// Building the page's sorted entry list from the driver's Layout values.
#include <memory>

#include "page/ZrDriveDlg.h"
#include "platform/framework/ModuleState.h"
#include "server/ModuleGlobals.h"
#include "store/LayoutStore.h"

namespace vx {

void CZrDriveDlg::LoadEntries() {
    // The buttons created later belong to this module.
    AfxGetModuleState()->m_hCurrentInstanceHandle = ModuleInstance;
    CLayoutStore store;
    CString name;
    CString data;
    while (store.NextLayoutValue(name, data)) InsertEntry(new CSettingButton(name, data));
}

void CZrDriveDlg::InsertEntry(CSettingButton* entry) {
    std::unique_ptr<CSettingButton> owned(entry);
    // Layout values mostly come in their sorted order: an entry above the
    // tail is above every entry (the list is sorted and has no equals), and
    // goes at the end without a walk from the head.
    if (!m_entries.IsEmpty() && entry->Compare(*m_entries.GetAt(m_entries.GetTailPosition())) > 0) {
        if (m_entries.AddTail(entry) != nullptr) owned.release();
        return;
    }
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        const CPtrList::POSITION at = pos;
        CSettingButton* existing = m_entries.GetNext(pos);
        const int order = entry->Compare(*existing);
        if (order > 0) continue;
        if (m_entries.InsertBefore(at, entry) == nullptr) return;  // no room: drop the new one
        owned.release();
        if (order == 0) {
            existing->RemoveStoredData();
            m_entries.RemoveAt(at);
            delete existing;
        }
        return;
    }
    if (m_entries.AddTail(entry) != nullptr) owned.release();
}

}  // namespace vx
