#include "Win32ShellServices.h"

#include <windows.h>

#include <cstddef>

namespace vx {

namespace {

// The display-mode record is DEVMODEA up to and with dmReserved2.
#define VX_SAME_OFFSET(field) \
    static_assert(offsetof(DisplayModeRecord, field) == offsetof(DEVMODEA, field), #field)
VX_SAME_OFFSET(dmSize);
VX_SAME_OFFSET(dmDriverExtra);
VX_SAME_OFFSET(dmFields);
VX_SAME_OFFSET(dmLogPixels);
VX_SAME_OFFSET(dmBitsPerPel);
VX_SAME_OFFSET(dmPelsWidth);
VX_SAME_OFFSET(dmPelsHeight);
VX_SAME_OFFSET(dmDisplayFrequency);
VX_SAME_OFFSET(dmReserved2);
#undef VX_SAME_OFFSET
static_assert(offsetof(DEVMODEA, dmPanningWidth) == sizeof(DisplayModeRecord),
              "the record ends where the panning fields begin");

HWND ToWindow(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

}  // namespace

int Win32ShellServices::ShowHelp(WindowHandle window, const char* file, uint32_t command,
                                 uintptr_t data) {
    return WinHelpA(ToWindow(window), file, command, data);
}

int Win32ShellServices::ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                                       uint32_t type) {
    return MessageBoxA(ToWindow(owner), text, caption, type);
}

int Win32ShellServices::RestartSystem(uint32_t flags, uint32_t reserved) {
    return ExitWindowsEx(flags, reserved);
}

long Win32ShellServices::ChangeDisplayMode(const DisplayModeRecord* mode, uint32_t flags) {
    // The system reads the record's own dmSize (148) and nothing past it.
    auto* devMode = reinterpret_cast<DEVMODEA*>(const_cast<DisplayModeRecord*>(mode));
    return ChangeDisplaySettingsA(devMode, flags);
}

int Win32ShellServices::LoadStringResource(InstanceHandle module, uint32_t id, char* buffer,
                                           int capacity) {
    return LoadStringA(reinterpret_cast<HINSTANCE>(module), id, buffer, capacity);
}

}  // namespace vx
