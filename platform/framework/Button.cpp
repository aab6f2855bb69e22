#include "Button.h"

#include "../Platform.h"
#include "FontRefTable.h"
#include "PropertyPage.h"

namespace vx {

CButtonBase::~CButtonBase() {
    DestroyWindow();
}

int CButtonBase::Create(const char* caption, uint32_t style, const Rect& rect,
                        CPropertyPageBase* parent, int id) {
    DestroyWindow();
    IWindowing* windows = Platform().windows;
    if (windows == nullptr) return 0;
    m_hWnd = windows->CreateButton(caption, style, rect, parent ? parent->GetSafeHwnd() : nullptr,
                                   id, AfxGetModuleState()->m_hCurrentInstanceHandle);
    return m_hWnd != nullptr;
}

void CButtonBase::DestroyWindow() {
    if (m_hWnd != nullptr) {
        if (Platform().windows) Platform().windows->DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
}

WindowHandle CButtonBase::Detach() {
    WindowHandle window = m_hWnd;
    m_hWnd = nullptr;
    return window;
}

intptr_t CButtonBase::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) const {
    IWindowing* windows = Platform().windows;
    return windows ? windows->Send(m_hWnd, message, wParam, lParam) : 0;
}

// Without memory for the object the answer is null, as for a null handle:
// the buttons then keep the system's font.
CFontRef* CFontRef::FromHandle(FontHandle handle) {
    static CFontRefTable fonts;
    return fonts.FromHandle(handle);
}

}  // namespace vx
