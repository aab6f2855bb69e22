#include "DisplayChangeWatcher.h"

#include "DisplaySheet.h"

namespace displayhost {

namespace {
constexpr char kClassName[] = "DisplayHostModeWatcher";
}

DisplayChangeWatcher::DisplayChangeWatcher() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &DisplayChangeWatcher::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    m_window.reset(CreateWindowA(kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 wc.hInstance, nullptr));
    if (m_window)
        SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

bool DisplayChangeWatcher::AwaitChange(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (m_count == 0 && GetTickCount() - start < milliseconds) PumpMessagesFor(10);
    return m_count > 0;
}

LRESULT CALLBACK DisplayChangeWatcher::Proc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_DISPLAYCHANGE) {
        auto* self =
            reinterpret_cast<DisplayChangeWatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self) ++self->m_count;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace displayhost
