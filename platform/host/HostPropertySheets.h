// A headless property sheet for the host backend. It keeps the pages that
// the extension creates and, for tests, shows them the way the real sheet
// does: it builds the page's window from template 107, runs the page's
// dialog initialisation, and turns clicks and the sheet's buttons into the
// messages the page would receive. Several sheets may be open at once, as
// when Display Properties is opened twice in one process; clicks and
// buttons go to the sheet opened last that is still open (the current
// one), or to the sheet of a given page window. A page object must outlive its showings: close them
// (ClosePage, CloseSheet, PressCancel) before the page object goes; the destruction of this object
// closes them too.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Windowing.h"
#include "platform/framework/PropertyPage.h"

namespace vx {

class HostWindowing;

class HostPropertySheets final : public IPropertySheets {
  public:
    // Position of the sheet on the screen and of the page in the sheet.
    static constexpr int32_t kSheetX = 160;
    static constexpr int32_t kSheetY = 120;
    static constexpr int32_t kPageX = 11;
    static constexpr int32_t kPageY = 34;

    struct CreatedPage {
        CPropertyPageBase* page;
        PageRecord record;  // as the page described itself when the handle was made
        bool destroyed;
    };

    explicit HostPropertySheets(HostWindowing& windows);
    ~HostPropertySheets() override;
    HostPropertySheets(const HostPropertySheets&) = delete;
    HostPropertySheets& operator=(const HostPropertySheets&) = delete;

    // A handle that refers to the page object; null while creation is made to fail.
    VX_OVERRIDES(VX_PROPERTY_SHEET_METHODS)

    // Page handles.
    void SetCreateFails(bool fails) { m_createFails = fails; }
    const CreatedPage* Created(PageHandle page) const;
    int CreatedCount() const { return static_cast<int>(m_pages.size()); }
    int DestroyedCount() const;

    // Showing a page. ShowPage closes every sheet open before, creates the
    // sheet and page windows and returns the page window; the page's
    // dialog initialisation has run when it returns. ShowInAnotherSheet
    // does the same in one more sheet and leaves the others open.
    WindowHandle ShowPage(PageHandle page);
    WindowHandle ShowInAnotherSheet(PageHandle page);
    // The current sheet's: null or 0 while no sheet is open.
    int InitDialogResult() const { return m_open.empty() ? 0 : m_open.back().initResult; }
    WindowHandle PageWindow() const { return m_open.empty() ? nullptr : m_open.back().pageWindow; }
    WindowHandle SheetWindow() const { return m_open.empty() ? nullptr : m_open.back().sheet; }
    CPropertyPageBase* ShownPage() const { return m_open.empty() ? nullptr : m_open.back().page; }
    FontHandle PageFont() const;
    int OpenSheetCount() const { return static_cast<int>(m_open.size()); }

    // A click on the page's control: an auto check box toggles, an auto
    // radio button is selected and the others of its group cleared, then
    // the page receives WM_COMMAND with BN_CLICKED. Group boxes and static
    // controls take no clicks. Returns 1 when the command was sent.
    int Click(int controlId);
    // The sheet's buttons: OK or Apply sends PSN_APPLY, writes back the
    // INI files (ProfileCache.h) and returns the page's answer (a
    // successful apply clears the modified mark); Cancel
    // sends PSN_RESET and closes the page; Help sends PSN_HELP.
    intptr_t PressApply();
    void PressCancel();
    void PressHelp();
    // The same in the sheet that shows this page window (0 when none does).
    int ClickIn(WindowHandle pageWindow, int controlId);
    intptr_t PressApplyIn(WindowHandle pageWindow);
    void PressCancelIn(WindowHandle pageWindow);
    // Any other message, as the page's window procedure receives it;
    // *handled tells whether the page handled it.
    intptr_t SendToPage(uint32_t message, uintptr_t wParam, intptr_t lParam,
                        int* handled = nullptr);
    // Whether the current page has been marked modified since it was shown
    // or last applied (the state of its sheet's Apply button).
    bool IsModified() const { return !m_open.empty() && m_open.back().modified; }
    // The same for the sheet that shows this page window.
    bool IsModifiedIn(WindowHandle pageWindow) const;
    // Every MarkModified call, for any window.
    int ModifiedMarks() const { return m_modifiedMarks; }
    // Closes every open sheet, in the order they were opened.
    void ClosePage();
    // Closes the sheet that shows this page window; 0 when none does.
    int CloseSheet(WindowHandle pageWindow);

  private:
    struct OpenSheet {
        CPropertyPageBase* page;
        WindowHandle sheet;
        WindowHandle pageWindow;
        int initResult;
        bool modified;
    };

    // Index in m_open of the sheet that shows the page window; m_open.size() when none.
    size_t IndexOf(WindowHandle pageWindow) const;
    // Index of the current sheet; m_open.size() when none is open.
    size_t Current() const { return m_open.empty() ? 0 : m_open.size() - 1; }
    intptr_t SendTo(size_t index, uint32_t message, uintptr_t wParam, intptr_t lParam,
                    int* handled = nullptr);
    int ClickAt(size_t index, int controlId);
    intptr_t Notify(size_t index, uint32_t code);
    intptr_t ApplyAt(size_t index);
    void CancelAt(size_t index);
    void SelectRadio(WindowHandle page, WindowHandle radio);
    void Close(size_t index);

    HostWindowing& m_windows;
    std::vector<std::unique_ptr<CreatedPage>> m_pages;
    bool m_createFails = false;
    std::vector<OpenSheet> m_open;  // in opening order: the current one last
    int m_modifiedMarks = 0;
};

}  // namespace vx
