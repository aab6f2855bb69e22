#include "Win32DebugOutput.h"

#include <windows.h>

namespace vx {

void Win32DebugOutput::Write(const char* text) {
    OutputDebugStringA(text);
}

}  // namespace vx
