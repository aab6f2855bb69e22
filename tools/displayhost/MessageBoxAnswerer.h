// Answers a message box of this thread that has a given caption, as a user
// would: while a timer runs, each tick looks for the box, reads its text and
// clicks one of its buttons. The tick runs inside the box's own modal loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/WinHandles.h"

namespace displayhost {

struct AnsweredBox {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;  // button captions in creation order
    int answer = 0;                    // the id clicked (IDNO, IDYES, ...)
};

class MessageBoxAnswerer {
  public:
    // Clicks button id `answer` on boxes captioned `caption`.
    MessageBoxAnswerer(const std::string& caption, int answer);
    ~MessageBoxAnswerer();

    const std::vector<AnsweredBox>& Answered() const { return m_answered; }
    void Clear() { m_answered.clear(); }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    std::string m_caption;
    int m_answer;
    vx::UniqueThreadTimer m_timer;
    std::vector<AnsweredBox> m_answered;
};

// Text and buttons of a dialog box (a message box's window).
AnsweredBox DescribeBox(HWND box);

}  // namespace displayhost
