// Entry point of the stand-in libraries: nothing to set up; when freed,
// the statically linked runtime gives back what it keeps in the process.
#include <windows.h>

#include "platform/win32/RuntimeRelease.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) vx::ReleaseStaticRuntime();
    return TRUE;
}
