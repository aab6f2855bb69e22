// Holds the Ctrl key down in the calling thread's keyboard state for as long
// as the object lives, the way a user holds it while the Display control
// panel collects its pages. GetKeyState answers from this state.
#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace displayhost {

class HeldCtrlKey : vx::Pinned {
  public:
    HeldCtrlKey();
    ~HeldCtrlKey();

    // True when the keyboard state could be set.
    bool Held() const { return m_held; }

  private:
    BYTE m_saved[256] = {};
    bool m_held = false;
};

// Whether GetKeyState reports Ctrl down for this thread now.
bool CtrlIsDown();

}  // namespace displayhost
