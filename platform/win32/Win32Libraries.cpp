#include "Win32Libraries.h"

#include <windows.h>

namespace vx {

LibraryHandle Win32Libraries::Load(const char* fileName) {
    return reinterpret_cast<LibraryHandle>(LoadLibraryA(fileName));
}

void* Win32Libraries::GetProc(LibraryHandle library, const char* symbol) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), symbol));
}

int Win32Libraries::Free(LibraryHandle library) {
    return FreeLibrary(reinterpret_cast<HMODULE>(library));
}

}  // namespace vx
