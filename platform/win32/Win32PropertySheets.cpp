#include "Win32PropertySheets.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <cstddef>

#include "platform/framework/ModuleState.h"
#include "platform/framework/PropertyPage.h"

namespace vx {

namespace {

// The page record of the Windows 95 shell: dwSize up to and with pcRefParent.
static_assert(offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*) == 40, "record size");
constexpr UINT kPageRecordSize = 40;

CPropertyPageBase* PageOf(HWND window) {
    return reinterpret_cast<CPropertyPageBase*>(GetWindowLongPtrA(window, DWLP_USER));
}

// The page window's dialog procedure. The page object arrives with
// WM_INITDIALOG in the page record's lParam and stays with the window.
INT_PTR CALLBACK PageDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        auto* page =
            record != nullptr ? reinterpret_cast<CPropertyPageBase*>(record->lParam) : nullptr;
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        return page != nullptr ? page->HandleInitDialog(reinterpret_cast<WindowHandle>(window))
                               : TRUE;
    }

    CPropertyPageBase* page = PageOf(window);
    if (page == nullptr) return FALSE;
    const WindowHandle from = reinterpret_cast<WindowHandle>(window);

    switch (message) {
        case WM_COMMAND:
        case WM_CONTEXTMENU:
        case WM_LBUTTONDOWN: {
            intptr_t result = 0;
            return page->HandleMessage(from, message, wParam, lParam, &result) ? TRUE : FALSE;
        }
        case WM_NOTIFY: {
            intptr_t result = 0;
            if (!page->HandleMessage(from, message, wParam, lParam, &result)) return FALSE;
            SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_DESTROY:
            page->HandleDestroy(from);
            SetWindowLongPtrA(window, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

// Flags that would ask the sheet for record fields that are not filled:
// the template is always given by id, and there is no page callback.
constexpr DWORD kUnsupportedFlags =
    PSP_DLGINDIRECT | PSP_USECALLBACK | PSP_USEHICON | PSP_USEICONID | PSP_USEREFPARENT;

}  // namespace

PageHandle Win32PropertySheets::CreatePage(CPropertyPageBase& page) {
    const PageRecord& record = page.Record();
    PROPSHEETPAGEA sheetPage{};
    sheetPage.dwSize = kPageRecordSize;
    sheetPage.dwFlags = record.dwFlags & ~kUnsupportedFlags;
    if (record.pszTitle == nullptr) sheetPage.dwFlags &= ~PSP_USETITLE;
    sheetPage.hInstance =
        reinterpret_cast<HINSTANCE>(AfxGetModuleState()->m_hCurrentResourceHandle);
    sheetPage.pszTemplate = MAKEINTRESOURCEA(record.templateId);
    sheetPage.pszTitle = record.pszTitle;
    sheetPage.pfnDlgProc = &PageDialogProc;
    sheetPage.lParam = reinterpret_cast<LPARAM>(&page);
    return reinterpret_cast<PageHandle>(CreatePropertySheetPageA(&sheetPage));
}

int Win32PropertySheets::DestroyPage(PageHandle page) {
    return DestroyPropertySheetPage(reinterpret_cast<HPROPSHEETPAGE>(page));
}

void Win32PropertySheets::MarkModified(WindowHandle pageWindow) {
    HWND window = reinterpret_cast<HWND>(pageWindow);
    SendMessageA(GetParent(window), PSM_CHANGED, reinterpret_cast<WPARAM>(window), 0);
}

}  // namespace vx
