// Help, message box, restart, display mode and string resources through USER32.
#pragma once

#include "platform/Windowing.h"

namespace vx {

class Win32ShellServices final : public IShellServices {
  public:
    int ShowHelp(WindowHandle window, const char* file, uint32_t command, uintptr_t data) override;
    int ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                       uint32_t type) override;
    int RestartSystem(uint32_t flags, uint32_t reserved) override;
    long ChangeDisplayMode(const DisplayModeRecord* mode, uint32_t flags) override;
    int LoadStringResource(InstanceHandle module, uint32_t id, char* buffer, int capacity) override;
};

}  // namespace vx
