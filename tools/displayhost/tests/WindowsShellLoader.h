// Loads the extension the way the Windows shell does for a control panel
// sheet: CoCreateInstance for IShellPropSheetExt, IShellExtInit asked for,
// initialised and released again, pages added, and the last reference
// given back once the sheet has gone. Unlike Wine's loader it leaves no
// reference behind, so the module can be unloaded afterwards.
#pragma once

#include <windows.h>
// The shell interfaces need the definitions above.
#include <shlobj.h>

#include <memory>

#include "DisplaySheet.h"
#include "ShellExtensionPages.h"
#include "platform/ComPtr.h"

namespace shelltest {

class WindowsShellLoader {
  public:
    // Creates and initialises the extension; no pages are asked for yet.
    WindowsShellLoader();
    // Closes the sheet if still open and gives the last reference back.
    ~WindowsShellLoader();

    // Asks for the pages as the shell does when the user just opens
    // Display Properties: Ctrl up.
    void AddPages();
    // Asks for the pages with Ctrl held, as a user opens the Vexaro page.
    void AddPagesWithCtrlHeld();

    HRESULT Created() const { return m_created; }
    HRESULT Initialized() const { return m_initialized; }
    size_t PagesAdded() const { return m_pagesAdded; }

    // Opens "Display Properties" (modeless) with the collected pages and
    // selects the first extension page; its window, or null.
    HWND OpenSheetAtExtensionPage() { return OpenSheet(true); }
    // The same in a hidden sheet. A hidden sheet is never mapped on the X
    // display, which spares Wine's wait for a window manager when it goes.
    HWND OpenHiddenSheetAtExtensionPage() { return OpenSheet(false); }
    displayhost::DisplaySheet* Sheet() { return m_sheet.get(); }
    // Destroys the sheet (its pages with it) and releases the extension.
    void Finish();

  private:
    HWND OpenSheet(bool visible);

    vx::ComPtr<IShellPropSheetExt> m_extension;
    HRESULT m_created = E_FAIL;
    HRESULT m_initialized = E_FAIL;
    size_t m_pagesAdded = 0;
    displayhost::PageHandles m_pages;
    std::unique_ptr<displayhost::DisplaySheet> m_sheet;
};

// Asserts each step of one opening of the Vexaro page with Ctrl held, in a
// hidden sheet: created, one page added, the page and its first setting
// there. The page's window in *page.
void OpenHiddenPage(WindowsShellLoader& loader, HWND* page);
// Asserts that, with the sheet gone, the module says it may be unloaded and
// COM unloads it.
void AssertModuleUnloads();

// DllCanUnloadNow of the loaded tarnel.dll (E_UNEXPECTED when it is not loaded).
HRESULT TarnelCanUnloadNow();
// Lets COM free the libraries that may go now; true when tarnel.dll is gone.
bool FreeUnusedTarnel();

}  // namespace shelltest
