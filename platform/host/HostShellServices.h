// Help, message boxes, restart and display-mode changes for the host
// backend: every call is recorded for tests and nothing happens; message
// boxes give scripted answers. Strings come from the module's string
// table as resource.h defines it.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/WinConstants.h"
#include "platform/Windowing.h"

namespace vx {

struct HelpCall {
    WindowHandle window;
    std::string file;
    uint32_t command;
    uintptr_t data;
};

struct MessageBoxCall {
    WindowHandle owner;
    std::string text;
    std::string caption;
    uint32_t type;
};

struct RestartCall {
    uint32_t flags;
    uint32_t reserved;
};

struct DisplayModeCall {
    DisplayModeRecord mode;
    uint32_t flags;
};

struct StringLoadCall {
    InstanceHandle module;
    uint32_t id;
};

class HostShellServices final : public IShellServices {
  public:
    // ShowMessageBox gives the next queued answer, or the default answer
    // (IDNO unless set). LoadStringResource, as LoadStringA, copies at most
    // capacity - 1 characters and a zero and returns the number of
    // characters copied; 0 for an id not in the table.
    VX_OVERRIDES(VX_SHELL_METHODS)

    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    void SetDefaultAnswer(int answer) { m_defaultAnswer = answer; }

    std::vector<HelpCall> helpCalls;
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<RestartCall> restarts;
    std::vector<DisplayModeCall> modeChanges;
    std::vector<StringLoadCall> stringLoads;

    // Total number of recorded calls of every kind.
    size_t CallCount() const;

  private:
    std::deque<int> m_answers;
    int m_defaultAnswer = kIdNo;
};

}  // namespace vx
