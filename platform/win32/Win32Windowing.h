// Child button windows and window messages through USER32.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32Windowing final : public IWindowing {
  public:
    WindowHandle CreateButton(const char* caption, uint32_t style, const Rect& rect,
                              WindowHandle parent, int id, InstanceHandle module) override;
    int DestroyWindow(WindowHandle window) override;
    intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                  intptr_t lParam) override;
    int GetWindowRect(WindowHandle window, Rect* rect) override;
    WindowHandle GetDlgItem(WindowHandle dialog, int id) override;
    int EnableWindow(WindowHandle window, int enable) override;
};

}  // namespace vx
