// The entry point of the shipped DLLs. The loader calls it; it constructs
// the module's static objects before the DLL's own DllMain sees the attach
// and destroys them, in the reverse order, after DllMain has seen the
// detach.
#include <windows.h>

#include "Runtime.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {

// Whether the attach succeeded and the detach has not yet run. A failed
// attach is undone here at once; a detach that the loader sends after it
// finds nothing left to do.
bool g_attached = false;

void Detach(HINSTANCE instance, LPVOID reserved) {
    DllMain(instance, DLL_PROCESS_DETACH, reserved);
    vx::rt::RunExitFunctions();
}

}  // namespace

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            // Each constructor enters its object's destructor in the exit list.
            vx::rt::RunStaticConstructors();
            if (!DllMain(instance, reason, reserved)) {
                Detach(instance, reserved);
                return FALSE;
            }
            g_attached = true;
            return TRUE;
        case DLL_PROCESS_DETACH:
            if (!g_attached) return TRUE;
            g_attached = false;
            Detach(instance, reserved);
            return TRUE;
        default:
            return DllMain(instance, reason, reserved);
    }
}
