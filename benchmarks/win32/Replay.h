// Makes logged platform calls again, straight against the Windows API,
// with nothing around them but the handle tables that put the new keys,
// windows, fonts and pages where the logged ones were.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cstddef>
#include <vector>

#include "CallLog.h"

namespace vxbench {

class Replay {
  public:
    // pageProc and pageParam go into the page records of replayed page
    // creations: they make the stand-in page that takes the replayed calls
    // of dialog initialisation and Apply.
    Replay(const CallLog& log, DLGPROC pageProc, LPARAM pageParam);

    // The window that the log met as an argument before any call gave it
    // (the page's own window) stands for this one from now on.
    void BindOutsideWindows(HWND window);
    // Makes calls [begin, end) of the log.
    void Run(size_t begin, size_t end);

    HPROPSHEETPAGE Page(int slot) const { return m_pages[slot]; }

  private:
    void Make(const Call& c);

    const CallLog& m_log;
    DLGPROC m_pageProc;
    LPARAM m_pageParam;
    std::vector<HKEY> m_keys;
    std::vector<HWND> m_windows;
    std::vector<LRESULT> m_fonts;
    std::vector<HPROPSHEETPAGE> m_pages;
};

}  // namespace vxbench
