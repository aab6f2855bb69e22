#include "Win32Libraries.h"

#include <windows.h>

namespace vx {

LibraryHandle Win32Libraries::Load(const char* fileName) {
    return LoadLibraryA(fileName);
}

void* Win32Libraries::GetProc(LibraryHandle library, const char* symbol) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), symbol));
}

int Win32Libraries::Free(LibraryHandle library) {
    return FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace vx
