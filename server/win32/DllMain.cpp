// The module's entry point and its two exports.
#include <windows.h>

#include "platform/framework/WinApp.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/Win32Platform.h"
#include "server/AdvancedPageApp.h"
#include "server/ServerEntry.h"

namespace {

vx::Win32Platform g_platform;
vx::Win32ModulePath g_modulePath;
bool g_attached = false;

void InstallPlatform() {
    g_platform.Install();
    vx::Platform().modulePath = &g_modulePath;
}

void UninstallPlatform() {
    if (vx::Platform().modulePath == &g_modulePath) vx::Platform().modulePath = nullptr;
    g_platform.Uninstall();
}

}  // namespace

// The module's runtime (platform/win32/runtime) has constructed its static
// objects (the application object among them) before the attach arrives
// here, and destroys them after the detach has returned.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            // The module cannot serve without its application object (naming
            // it here also keeps the module's static objects in the link).
            if (vx::AfxGetModuleState()->m_pCurrentWinApp != &vx::theApp) return FALSE;
            InstallPlatform();
            if (!vx::AfxModuleAttach(reinterpret_cast<vx::InstanceHandle>(instance))) {
                UninstallPlatform();
                return FALSE;
            }
            g_attached = true;
            return TRUE;
        case DLL_PROCESS_DETACH:
            // A failed attach is followed by a detach: its exit step has run already.
            if (g_attached) {
                vx::AfxModuleDetach();
                g_attached = false;
            }
            UninstallPlatform();
            return TRUE;
        default:
            return TRUE;
    }
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    return vx::DllGetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return vx::DllCanUnloadNow();
}
