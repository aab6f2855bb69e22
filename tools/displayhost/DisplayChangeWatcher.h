// A hidden top-level window that counts the WM_DISPLAYCHANGE broadcasts
// that follow a change of the display mode.
#pragma once

#include <windows.h>

namespace displayhost {

class DisplayChangeWatcher {
  public:
    DisplayChangeWatcher();
    ~DisplayChangeWatcher();
    DisplayChangeWatcher(const DisplayChangeWatcher&) = delete;
    DisplayChangeWatcher& operator=(const DisplayChangeWatcher&) = delete;

    int Count() const { return m_count; }
    void Reset() { m_count = 0; }

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_window = nullptr;
    int m_count = 0;
};

}  // namespace displayhost
