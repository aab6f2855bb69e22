// A hidden top-level window that counts the WM_DISPLAYCHANGE broadcasts
// that follow a change of the display mode.
#pragma once

#include <windows.h>

#include "platform/win32/WinHandles.h"

namespace displayhost {

class DisplayChangeWatcher {
  public:
    DisplayChangeWatcher();
    // The window knows this object: it stays where it is.
    DisplayChangeWatcher(DisplayChangeWatcher&&) = delete;
    DisplayChangeWatcher& operator=(DisplayChangeWatcher&&) = delete;

    int Count() const { return m_count; }
    void Reset() { m_count = 0; }
    // Pumps the thread's messages until a change has been counted or the
    // time has passed; whether one came. The broadcast reaches this window
    // from the desktop's process, later than the change itself on a busy
    // or emulated machine.
    bool AwaitChange(DWORD milliseconds);

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    vx::UniqueWindow m_window;
    int m_count = 0;
};

}  // namespace displayhost
