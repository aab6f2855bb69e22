#include "Roads.h"

#include <vector>

#include "page/ZrDriveDlg.h"
#include "server/Guids.h"
#include "server/ModuleGlobals.h"
#include "server/ServerEntry.h"

namespace vxbench {

namespace {

BOOL CALLBACK CollectPage(HPROPSHEETPAGE page, LPARAM lParam) {
    reinterpret_cast<std::vector<HPROPSHEETPAGE>*>(lParam)->push_back(page);
    return TRUE;
}

HWND CreateSheetWindow(HPROPSHEETPAGE* pages, UINT count) {
    PROPSHEETHEADERA header{};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_MODELESS;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = "Display Properties";
    header.nPages = count;
    header.phpage = pages;
    return reinterpret_cast<HWND>(PropertySheetA(&header));
}

OpenSheet Opened(HWND sheet) {
    OpenSheet s;
    s.sheet.reset(sheet);
    if (sheet != nullptr) {
        s.page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    return s;
}

}  // namespace

OpenSheet CreateSheet(HPROPSHEETPAGE page) {
    return Opened(page != nullptr ? CreateSheetWindow(&page, 1) : nullptr);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void CloseSheet(OpenSheet* sheet) {
    *sheet = OpenSheet{};  // destroys the sheet
    PumpMessages();
}

void ClickCheckBoxes(HWND page) {
    for (HWND w = GetWindow(page, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        char className[16] = "";
        GetClassNameA(w, className, sizeof className);
        if (lstrcmpiA(className, "Button") != 0) continue;
        if ((GetWindowLongA(w, GWL_STYLE) & 0xF) == BS_AUTOCHECKBOX) {
            SendMessageA(w, BM_CLICK, 0, 0);
        }
    }
    PumpMessages();
}

void PressApply(const OpenSheet& sheet) {
    SendMessageA(sheet.sheet.get(), PSM_APPLY, 0, 0);
}

// The page road ------------------------------------------------------------

PageRoad::PageRoad() {
    vx::ComPtr<IClassFactory> factory;
    if (vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIClassFactory, factory.put_void()) !=
        S_OK) {
        return;
    }
    vx::ComPtr<IShellExtInit> init;
    if (factory->CreateInstance(nullptr, vx::kIidIShellExtInit, init.put_void()) == S_OK) {
        init->Initialize(nullptr, nullptr, nullptr);
        init->QueryInterface(vx::kIidIShellPropSheetExt, m_extension.put_void());
    }
}

PageRoad::~PageRoad() = default;

void PageRoad::NewPage() {
    delete vx::AdvancedPage;
    vx::AdvancedPage = new vx::CZrDriveDlg();
}

OpenSheet PageRoad::Open() {
    std::vector<HPROPSHEETPAGE> pages;
    pages.reserve(1);
    m_extension->AddPages(&CollectPage, reinterpret_cast<LPARAM>(&pages));
    if (pages.empty()) return OpenSheet{};
    return Opened(CreateSheetWindow(pages.data(), static_cast<UINT>(pages.size())));
}

// The floor road -----------------------------------------------------------

FloorRoad::FloorRoad(const CallLog& log, const LogSlices& slices) : m_log(log), m_slices(slices) {
    for (size_t i = slices.beforeSheetBegin; i < slices.beforeSheetEnd; ++i) {
        if (log.calls[i].op == Op::kCreatePage) m_pageSlot = log.calls[i].resultSlot;
    }
    Reset();
}

void FloorRoad::Reset() {
    m_replay =
        std::make_unique<Replay>(m_log, &FloorRoad::PageProc, reinterpret_cast<LPARAM>(this));
}

OpenSheet FloorRoad::Open() {
    m_replay->Run(m_slices.beforeSheetBegin, m_slices.beforeSheetEnd);
    HPROPSHEETPAGE page = m_pageSlot != kNoSlot ? m_replay->Page(m_pageSlot) : nullptr;
    if (page == nullptr) return OpenSheet{};
    return Opened(CreateSheetWindow(&page, 1));
}

INT_PTR CALLBACK FloorRoad::PageProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        auto* road = reinterpret_cast<FloorRoad*>(record->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(road));
        road->m_replay->BindOutsideWindows(window);
        road->m_replay->Run(road->m_slices.initBegin, road->m_slices.initEnd);
        return TRUE;
    }
    auto* road = reinterpret_cast<FloorRoad*>(GetWindowLongPtrA(window, DWLP_USER));
    if (road == nullptr) return FALSE;
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
        road->m_replay->Run(road->m_applyBegin, road->m_applyEnd);
        SetWindowLongPtrA(window, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

}  // namespace vxbench
