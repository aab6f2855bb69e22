// Building the page's sorted entry list from the driver's Layout values.
#include <memory>
#include <new>

#include "page/ModuleContext.h"
#include "page/ZrDriveDlg.h"
#include "platform/framework/ModuleState.h"
#include "store/LayoutStore.h"

namespace vx {

int CZrDriveDlg::LoadEntries() {
    // The buttons created later belong to this module.
    AfxGetModuleState()->m_hCurrentInstanceHandle = ModuleInstance;
    CLayoutStore store;
    CString name;
    CString data;
    // Without memory for an entry the list would lack it, and the layout
    // pass would prune its group's members from the registry: the loading
    // stops and says so. An entry whose strings could not all be had is as
    // missing as one that could not be allocated, and so is a value that
    // could not be read whole for want of memory.
    while (store.NextLayoutValue(name, data)) {
        std::unique_ptr<CSettingButton> entry(new (std::nothrow) CSettingButton(name, data));
        if (entry == nullptr || !entry->IsWhole()) return 0;
        if (!InsertEntry(entry.release())) return 0;
    }
    return store.RanOutOfMemory() ? 0 : 1;
}

int CZrDriveDlg::InsertEntry(CSettingButton* entry) {
    if (entry == nullptr) return 0;
    std::unique_ptr<CSettingButton> owned(entry);
    // Layout values mostly come in their sorted order: an entry above the
    // tail is above every entry (the list is sorted and has no equals), and
    // goes at the end without a walk from the head.
    if (!m_entries.IsEmpty() && entry->Compare(*m_entries.GetAt(m_entries.GetTailPosition())) > 0) {
        if (m_entries.AddTail(entry) == nullptr) return 0;
        owned.release();
        return 1;
    }
    CPtrList::POSITION pos = m_entries.GetHeadPosition();
    while (pos != nullptr) {
        const CPtrList::POSITION at = pos;
        CSettingButton* existing = m_entries.GetNext(pos);
        const int order = entry->Compare(*existing);
        if (order > 0) continue;
        if (m_entries.InsertBefore(at, entry) == nullptr) return 0;  // no room: drop the new one
        owned.release();
        if (order == 0) {
            existing->RemoveStoredData();
            m_entries.RemoveAt(at);
            delete existing;
        }
        return 1;
    }
    if (m_entries.AddTail(entry) == nullptr) return 0;
    owned.release();
    return 1;
}

}  // namespace vx
