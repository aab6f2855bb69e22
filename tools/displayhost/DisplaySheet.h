// The "Display Properties" sheet: the host's own Settings page followed by
// the pages that the registered extensions added.
#pragma once

#include <windows.h>
// The common controls need the definitions above.
#include <commctrl.h>

#include <vector>

#include "SettingsPage.h"
#include "platform/UniqueHandle.h"

namespace displayhost {

constexpr char kSheetCaption[] = "Display Properties";
constexpr int kApplyButtonId = 0x3021;  // the sheet's Apply button
constexpr int kHelpButtonId = 0x0009;   // the sheet's Help button

// Destroys a sheet's window unless it has gone already.
struct SheetWindowCloser {
    using Handle = HWND;
    void operator()(HWND window) const {
        if (IsWindow(window)) DestroyWindow(window);
    }
};

class DisplaySheet {
  public:
    // Takes the extension pages over; the sheet destroys them.
    explicit DisplaySheet(std::vector<HPROPSHEETPAGE> extensionPages);
    ~DisplaySheet();  // destroys a modeless sheet that is still open
    DisplaySheet(const DisplaySheet&) = delete;
    DisplaySheet& operator=(const DisplaySheet&) = delete;

    // Number of pages: Settings plus the extension pages.
    size_t PageCount() const { return m_extensionPages.size() + 1; }
    size_t ExtensionPageCount() const { return m_extensionPages.size(); }

    // Modal sheet, opened at the first extension page when there is one.
    INT_PTR RunModal(HWND owner);

    // Modeless sheet, shown; returns its window or null.
    HWND OpenModeless(HWND owner) { return OpenSheet(owner, true); }
    // The same never shown on the screen (its pages are still created when
    // selected).
    HWND OpenHiddenModeless(HWND owner) { return OpenSheet(owner, false); }
    HWND Window() const { return m_window.get(); }

    // The window of the page at index (0 is Settings), showing it first.
    HWND ShowPage(size_t index);
    // The window of the page at index if the sheet has created it, else null.
    HWND PageWindow(size_t index) const;
    bool ApplyEnabled() const;
    // Presses a sheet button (PSBTN_*) as a click would.
    void Press(int button);
    // True while the modeless sheet is open (not closed by OK or Cancel).
    bool Open() const;
    // Destroys the modeless sheet window.
    void Close();

  private:
    HWND OpenSheet(HWND owner, bool visible);
    PROPSHEETHEADERA Header(HWND owner, DWORD flags);
    static int CALLBACK CreateHidden(HWND, UINT message, LPARAM lParam);
    void HandOverPages();

    SettingsPage m_settings;
    std::vector<HPROPSHEETPAGE> m_extensionPages;
    std::vector<HPROPSHEETPAGE> m_allPages;
    bool m_pagesHandedOver = false;
    vx::UniqueHandle<SheetWindowCloser> m_window;
};

// Runs the thread's messages until none is waiting.
void PumpMessages();
// Runs the thread's messages for about the given time.
void PumpMessagesFor(DWORD milliseconds);

}  // namespace displayhost
