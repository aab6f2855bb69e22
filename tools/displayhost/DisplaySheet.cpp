#include "DisplaySheet.h"

namespace displayhost {

DisplaySheet::DisplaySheet(std::vector<HPROPSHEETPAGE> extensionPages)
    : m_extensionPages(std::move(extensionPages)) {}

DisplaySheet::~DisplaySheet() {
    Close();
    if (!m_pagesHandedOver)
        for (HPROPSHEETPAGE page : m_extensionPages) DestroyPropertySheetPage(page);
}

PROPSHEETHEADERA DisplaySheet::Header(HWND owner, DWORD flags) {
    m_allPages.clear();
    HPROPSHEETPAGE settings = m_settings.Create();
    if (settings) m_allPages.push_back(settings);
    m_allPages.insert(m_allPages.end(), m_extensionPages.begin(), m_extensionPages.end());

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = flags | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = kSheetCaption;
    header.nPages = static_cast<UINT>(m_allPages.size());
    header.nStartPage = m_allPages.size() > 1 ? 1 : 0;
    header.phpage = m_allPages.data();
    return header;
}

int CALLBACK DisplaySheet::CreateHidden(HWND, UINT message, LPARAM lParam) {
    if (message != PSCB_PRECREATE || !lParam) return 0;
    // The sheet's own dialog template, in its plain or its extended form.
    auto* words = reinterpret_cast<WORD*>(lParam);
    auto* style =
        words[1] == 0xFFFF ? reinterpret_cast<DWORD*>(words + 6) : reinterpret_cast<DWORD*>(words);
    *style &= ~static_cast<DWORD>(WS_VISIBLE);
    return 0;
}

void DisplaySheet::HandOverPages() {
    m_pagesHandedOver = true;
}

INT_PTR DisplaySheet::RunModal(HWND owner) {
    PROPSHEETHEADERA header = Header(owner, 0);
    HandOverPages();
    return PropertySheetA(&header);
}

HWND DisplaySheet::OpenSheet(HWND owner, bool visible) {
    PROPSHEETHEADERA header = Header(owner, PSH_MODELESS);
    if (!visible) {
        header.dwFlags |= PSH_USECALLBACK;
        header.pfnCallback = &DisplaySheet::CreateHidden;
    }
    HandOverPages();
    m_window.reset(reinterpret_cast<HWND>(PropertySheetA(&header)));
    if (m_window && visible) {
        ShowWindow(m_window.get(), SW_SHOW);
        UpdateWindow(m_window.get());
        PumpMessages();
    }
    return m_window.get();
}

HWND DisplaySheet::ShowPage(size_t index) {
    if (!m_window) return nullptr;
    SendMessageA(m_window.get(), PSM_SETCURSEL, index, 0);
    PumpMessages();
    return PageWindow(index);
}

HWND DisplaySheet::PageWindow(size_t index) const {
    if (!m_window) return nullptr;
    // The tab control lists the pages; only the current page is sure to exist.
    auto current = static_cast<size_t>(
        SendMessageA(reinterpret_cast<HWND>(SendMessageA(m_window.get(), PSM_GETTABCONTROL, 0, 0)),
                     TCM_GETCURSEL, 0, 0));
    if (current != index) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(m_window.get(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool DisplaySheet::ApplyEnabled() const {
    HWND apply = m_window ? GetDlgItem(m_window.get(), kApplyButtonId) : nullptr;
    return apply && IsWindowEnabled(apply);
}

void DisplaySheet::Press(int button) {
    if (m_window) SendMessageA(m_window.get(), PSM_PRESSBUTTON, button, 0);
}

bool DisplaySheet::Open() const {
    return m_window && IsWindow(m_window.get()) &&
           SendMessageA(m_window.get(), PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

void DisplaySheet::Close() {
    m_window.reset();
    PumpMessages();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PumpMessagesFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < milliseconds);
    PumpMessages();
}

}  // namespace displayhost
