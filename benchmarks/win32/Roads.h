// The two roads to the same platform calls. The page road is the shell's:
// AddPages on the extension object, a modeless property sheet with the page
// it added, the sheet's Apply. The floor road makes the logged calls of the
// page road again (Replay.h) from a stand-in page of the same template, in
// a sheet made the same way, with no logic around them.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <shlobj.h>
// clang-format on

#include <memory>

#include "CallLog.h"
#include "Replay.h"
#include "platform/ComPtr.h"
#include "platform/UniqueHandle.h"
#include "platform/win32/WinHandles.h"

namespace vxbench {

// A modeless sheet (destroyed with this) and the window of its one page.
struct OpenSheet {
    vx::UniqueWindow sheet;
    HWND page = nullptr;
};

// Creates the modeless sheet around a page handle.
OpenSheet CreateSheet(HPROPSHEETPAGE page);
// Destroys the sheet and handles the messages that are waiting.
void CloseSheet(OpenSheet* sheet);
void PumpMessages();
// BM_CLICK to every check box of the page.
void ClickCheckBoxes(HWND page);
// The sheet's Apply (PSM_APPLY).
void PressApply(const OpenSheet& sheet);

class PageRoad : vx::Pinned {
  public:
    PageRoad();
    ~PageRoad();

    bool Ok() const { return m_extension.get() != nullptr; }
    // Gives the module a fresh page object (as the first showing in a
    // process finds it); not part of a measurement.
    void NewPage();
    // From AddPages to the end of the page's dialog initialisation.
    OpenSheet Open();

  private:
    vx::ComPtr<IShellPropSheetExt> m_extension;
};

// Where the logged calls of the page road lie: [begin, end) each.
struct LogSlices {
    size_t beforeSheetBegin = 0, beforeSheetEnd = 0;  // AddPages up to the page creation
    size_t initBegin = 0, initEnd = 0;                // the page's dialog initialisation
    size_t applyUnchangedBegin = 0, applyUnchangedEnd = 0;
    size_t applyThereBegin = 0, applyThereEnd = 0;  // after a click on every check box
    size_t applyBackBegin = 0, applyBackEnd = 0;    // after another click on every one
};

class FloorRoad {
  public:
    FloorRoad(const CallLog& log, const LogSlices& slices);

    // A fresh replay with fresh handle tables; not part of a measurement.
    void Reset();
    // The calls that the page road makes up to the page's creation, the
    // sheet, and the calls of dialog initialisation from the stand-in page.
    OpenSheet Open();
    // Which logged Apply the stand-in page makes on the next PSN_APPLY.
    void SetApply(size_t begin, size_t end) {
        m_applyBegin = begin;
        m_applyEnd = end;
    }

  private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const CallLog& m_log;
    LogSlices m_slices;
    std::unique_ptr<Replay> m_replay;
    int m_pageSlot = kNoSlot;
    size_t m_applyBegin = 0;
    size_t m_applyEnd = 0;
};

}  // namespace vxbench
