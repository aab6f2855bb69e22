#include "platform/host/HostShellServices.h"

#include <cstring>

#include "platform/WinConstants.h"
#include "platform/host/ProfileCache.h"
#include "resources/resource.h"

namespace vx {

namespace {

struct TableString {
    uint32_t id;
    const char* text;
};

// The module's string table, as the resource script builds it.
const TableString kStringTable[] = {
    {IDS_ADVANCED, VX_TEXT_ADVANCED},
    {IDS_RESTART_QUESTION, VX_TEXT_RESTART_QUESTION},
};

const char* TableText(uint32_t id) {
    for (const TableString& s : kStringTable) {
        if (s.id == id) return s.text;
    }
    return nullptr;
}

}  // namespace

int HostShellServices::ShowHelp(WindowHandle window, const char* file, uint32_t command,
                                uintptr_t data) {
    helpCalls.push_back({window, file ? file : "", command, data});
    return 1;
}

int HostShellServices::ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                                      uint32_t type) {
    // The INI writes of an Apply are on the disk before any question, a
    // restart or a display-mode change (the driver reads them then).
    WriteBackProfileFiles();
    messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    if (m_answers.empty()) return m_defaultAnswer;
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int HostShellServices::RestartSystem(uint32_t flags, uint32_t reserved) {
    WriteBackProfileFiles();
    restarts.push_back({flags, reserved});
    return 1;
}

long HostShellServices::ChangeDisplayMode(const DisplayModeRecord* mode, uint32_t flags) {
    WriteBackProfileFiles();
    DisplayModeCall call{};
    if (mode != nullptr) call.mode = *mode;
    call.flags = flags;
    modeChanges.push_back(call);
    return 0;  // DISP_CHANGE_SUCCESSFUL
}

int HostShellServices::LoadStringResource(InstanceHandle module, uint32_t id, char* buffer,
                                          int capacity) {
    stringLoads.push_back({module, id});
    if (buffer == nullptr || capacity <= 0) return 0;
    const char* text = TableText(id);
    if (text == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    size_t length = std::strlen(text);
    if (length > static_cast<size_t>(capacity - 1)) length = static_cast<size_t>(capacity - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

size_t HostShellServices::CallCount() const {
    return helpCalls.size() + messageBoxes.size() + restarts.size() + modeChanges.size() +
           stringLoads.size();
}

}  // namespace vx
