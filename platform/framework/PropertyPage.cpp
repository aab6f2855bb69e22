#include "PropertyPage.h"

#include "../Platform.h"
#include "../WinConstants.h"
#include "Guarded.h"

namespace vx {

namespace {
CRuntimeClass* CObjectClass() {
    return &CObject::classCObject;
}

constexpr intptr_t kPsnRetNoError = 0;
constexpr intptr_t kPsnRetInvalidNoChangePage = 2;

const MessageMapEntry kEmptyMap[] = {{0, 0, 0, nullptr}};
}  // namespace

CRuntimeClass CPropertyPageBase::classCPropertyPage = {
    "CPropertyPage", sizeof(CPropertyPageBase), 0xFFFF, nullptr, &CObjectClass, nullptr};

CPropertyPageBase::CPropertyPageBase(uint32_t templateId) {
    m_psp.dwSize = 40;  // PROPSHEETPAGEA of the Windows 95 shell
    m_psp.dwFlags = 0;
    m_psp.hInstance = AfxGetModuleState()->m_hCurrentResourceHandle;
    m_psp.templateId = templateId;
    m_psp.pszTitle = nullptr;
}

CPropertyPageBase::~CPropertyPageBase() = default;

const CRuntimeClass* CPropertyPageBase::GetRuntimeClass() const {
    return &classCPropertyPage;
}

const MessageMapEntry* CPropertyPageBase::GetMessageMap() const {
    return kEmptyMap;
}

int CPropertyPageBase::OnCommand(uintptr_t wParam, intptr_t /*lParam*/) {
    uint32_t w = static_cast<uint32_t>(wParam);
    return DispatchMessageMap(kWmCommand, w >> 16, w & 0xFFFF);
}

int CPropertyPageBase::OnNotify(uintptr_t /*wParam*/, NotifyHeader* header, intptr_t* result) {
    if (header == nullptr) return 0;
    if (header->code == kPsnApply) {
        *result = OnApply() ? kPsnRetNoError : kPsnRetInvalidNoChangePage;
        return 1;
    }
    if (header->code == kPsnReset) {
        OnReset();
        *result = 0;
        return 1;
    }
    return 0;
}

void CPropertyPageBase::DoDataExchange() {}

void CPropertyPageBase::BeginModalState() {
    if (m_hWnd != nullptr && Platform().windows) Platform().windows->EnableWindow(m_hWnd, 0);
}

void CPropertyPageBase::EndModalState() {
    if (m_hWnd != nullptr && Platform().windows) Platform().windows->EnableWindow(m_hWnd, 1);
}

int CPropertyPageBase::OnInitDialog() {
    DoDataExchange();
    return 1;
}

int CPropertyPageBase::OnApply() {
    return 1;
}

void CPropertyPageBase::OnReset() {}

void CPropertyPageBase::SetModified() {
    if (m_hWnd != nullptr && Platform().sheets) Platform().sheets->MarkModified(m_hWnd);
}

WindowHandle CPropertyPageBase::GetDlgItem(int id) const {
    if (m_hWnd == nullptr || Platform().windows == nullptr) return nullptr;
    return Platform().windows->GetDlgItem(m_hWnd, id);
}

// No exception leaves a dialog procedure: one that comes up through the
// page (from a library it calls, out of memory) ends the handling of that
// message here, as the framework's window procedure does, and the message
// counts as handled with the answer given so far.
int CPropertyPageBase::HandleInitDialog(WindowHandle window) {
    m_hWnd = window;
    return Guarded([this] { return OnInitDialog(); }, 1);
}

int CPropertyPageBase::HandleMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam, intptr_t* result) {
    intptr_t ignored = 0;
    if (result == nullptr) result = &ignored;
    if (window == nullptr || window != m_hWnd) return AnswerEarlierWindow(message, lParam, result);
    return Guarded([&] { return Dispatch(message, wParam, lParam, result); }, 1);
}

int CPropertyPageBase::Dispatch(uint32_t message, uintptr_t wParam, intptr_t lParam,
                                intptr_t* result) {
    switch (message) {
        case kWmCommand:
            *result = 0;
            return OnCommand(wParam, lParam);
        case kWmNotify:
            *result = 0;
            return OnNotify(wParam, reinterpret_cast<NotifyHeader*>(lParam), result);
        default:
            return DispatchMessageMap(message, 0, 0);
    }
}

// The page's state (its entries, their buttons, the pending action) belongs
// to the current showing; a sheet that still shows an earlier window of the
// page must not apply or reset it. Its OK closes the sheet as a successful
// apply would, having written nothing; its Cancel resets nothing.
int CPropertyPageBase::AnswerEarlierWindow(uint32_t message, intptr_t lParam, intptr_t* result) {
    *result = 0;
    if (message != kWmNotify || lParam == 0) return 0;
    const uint32_t code = reinterpret_cast<const NotifyHeader*>(lParam)->code;
    if (code == kPsnApply) {
        *result = kPsnRetNoError;
        return 1;
    }
    return code == kPsnReset ? 1 : 0;
}

void CPropertyPageBase::OnPageWindowDestroyed() {}

void CPropertyPageBase::HandleDestroy(WindowHandle window) {
    if (window == nullptr || window != m_hWnd) return;
    Guarded(
        [this] {
            OnPageWindowDestroyed();
            return 0;
        },
        0);
    m_hWnd = nullptr;
}

int CPropertyPageBase::DispatchMessageMap(uint32_t message, uint32_t code, uint32_t id) {
    for (const MessageMapEntry* e = GetMessageMap(); e != nullptr && e->message != 0; ++e) {
        if (e->message != message) continue;
        if (message == kWmCommand && (e->code != code || e->id != id)) continue;
        if (e->handler == nullptr) return 0;  // default window processing only
        (this->*(e->handler))();
        return 1;
    }
    return 0;
}

}  // namespace vx
