#include "Win32System.h"

#include <windows.h>

namespace vx {

int Win32System::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

int16_t Win32System::GetKeyState(int virtualKey) {
    return ::GetKeyState(virtualKey);
}

}  // namespace vx
