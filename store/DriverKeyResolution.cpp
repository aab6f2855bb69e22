// Finding the current display driver's key: from the maker's software key
// in a fail-safe start, from the maker's "ferolib.dll" otherwise.
#include <cstdio>
#include <cstring>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "store/DriverKey.h"
#include "store/LayoutStore.h"
#include "store/RegistryText.h"
#include "vx_abi.h"

namespace vx {

namespace {

const char kDisplayClassPrefix[] = "System\\CurrentControlSet\\Services\\Class\\Display\\";
const char kSoftwareKey[] = "SOFTWARE\\Corvane\\Lumetra";
const char kCurrentDisplayKey[] = "CurrentDisplayKey";
const char kConfigLibrary[] = "ferolib.dll";
const char kGetConfigStringSymbol[] = "?GetConfigString@@YGHAAVCString@@H@Z";

using GetConfigStringProc = int(VX_STDCALL*)(CString& text, int capacity);

// Composes the driver's path from its subkey name. A name too long for the
// path's room is refused and the path stays empty.
void ComposeDriverKeyPath(const CString& subkey) {
    const int length = static_cast<int>(sizeof kDisplayClassPrefix - 1) + subkey.GetLength();
    if (length > kRegistryTextRoom) return;
    char* buffer = DriverKeyPath.GetBuffer(kRegistryTextRoom);
    if (buffer == nullptr) return;
    std::snprintf(buffer, kRegistryTextRoom + 1, "%s%s", kDisplayClassPrefix, subkey.c_str());
    DriverKeyPath.ReleaseBuffer(length);
}

}  // namespace

void CLayoutStore::ResolveDriverKey() {
    if (!DriverKeyPath.IsEmpty()) return;
    PlatformServices& platform = Platform();
    if (platform.system == nullptr) return;

    if (platform.system->GetSystemMetrics(kSmCleanBoot) != 0) {
        CString subkey;
        if (ReadCurrentDisplayKey(subkey)) ComposeDriverKeyPath(subkey);
        return;
    }

    if (platform.libraries == nullptr) return;
    ScopedLibrary library(*platform.libraries, kConfigLibrary);
    if (library.get() == nullptr) return;
    auto getConfigString =
        reinterpret_cast<GetConfigStringProc>(library.GetProc(kGetConfigStringSymbol));
    if (getConfigString != nullptr) getConfigString(DriverKeyPath, kRegistryTextRoom);
}

int CLayoutStore::ReadCurrentDisplayKey(CString& value) {
    IRegistry* registry = Platform().registry;
    if (registry == nullptr) return 0;
    ScopedKey key(*registry, m_hKey);
    if (key.Open(kSoftwareKey, kKeyRead) != kErrorSuccess) return 0;
    uint8_t buffer[kRegistryTextRoom] = {};
    uint32_t bytes = kRegistryTextRoom;
    uint32_t type = 0;
    if (registry->QueryValue(m_hKey, kCurrentDisplayKey, &type, buffer, &bytes) != kErrorSuccess) {
        return 0;
    }
    return TakeText(value, buffer, bytes);
}

}  // namespace vx
