#include "Win32Windowing.h"

#include <windows.h>

namespace vx {

namespace {
HWND ToWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle ToHandle(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}
}  // namespace

WindowHandle Win32Windowing::CreateButton(const char* caption, uint32_t style, const Rect& rect,
                                          WindowHandle parent, int id, InstanceHandle module) {
    return ToHandle(CreateWindowExA(0, "BUTTON", caption, style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top,
                                    ToWindow(parent),
                                    reinterpret_cast<HMENU>(static_cast<intptr_t>(id)),
                                    reinterpret_cast<HINSTANCE>(module), nullptr));
}

int Win32Windowing::DestroyWindow(WindowHandle window) {
    return ::DestroyWindow(ToWindow(window));
}

intptr_t Win32Windowing::Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) {
    return SendMessageA(ToWindow(window), message, wParam, lParam);
}

int Win32Windowing::GetWindowRect(WindowHandle window, Rect* rect) {
    RECT r{};
    if (!::GetWindowRect(ToWindow(window), &r)) return 0;
    if (rect != nullptr) {
        rect->left = r.left;
        rect->top = r.top;
        rect->right = r.right;
        rect->bottom = r.bottom;
    }
    return 1;
}

WindowHandle Win32Windowing::GetDlgItem(WindowHandle dialog, int id) {
    return ToHandle(::GetDlgItem(ToWindow(dialog), id));
}

int Win32Windowing::EnableWindow(WindowHandle window, int enable) {
    return ::EnableWindow(ToWindow(window), enable);
}

}  // namespace vx
