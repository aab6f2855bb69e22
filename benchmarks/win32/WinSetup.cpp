#include "WinSetup.h"

#include <windows.h>

#include <string>

#include "platform/win32/RegTree.h"
#include "platform/win32/WinHandles.h"

namespace vxbench {

namespace {

bool WriteKey(const RegistryKeyData& data) {
    vx::UniqueRegKey key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, data.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        key.release();
        return false;
    }
    bool ok = true;
    for (const RegistryValueData& v : data.values) {
        ok = RegSetValueExA(key.get(), v.name.c_str(), 0, v.type, v.data.data(),
                            static_cast<DWORD>(v.data.size())) == ERROR_SUCCESS &&
             ok;
    }
    return ok;
}

std::string MakeTempFolder() {
    char base[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) return std::string();
    for (unsigned n = 0; n < 1000; ++n) {
        const std::string name = std::string(base) + "vxbench-" +
                                 std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
        if (CreateDirectoryA(name.c_str(), nullptr)) return name + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    }
    return std::string();
}

}  // namespace

WinSettings::WinSettings(int entries) {
    m_folder = MakeTempFolder();
    if (m_folder.empty()) return;
    m_data = MakeSettings(entries, m_folder);
    vx::DeleteRegTree(HKEY_LOCAL_MACHINE, kDriverKey);
    bool ok = true;
    for (const RegistryKeyData& key : m_data.keys) ok = WriteKey(key) && ok;
    m_ok = ok && ResetIniFiles();
}

WinSettings::~WinSettings() {
    vx::DeleteRegTree(HKEY_LOCAL_MACHINE, kDriverKey);
    if (m_folder.empty()) return;
    for (const auto& file : m_data.iniFiles) DeleteFileA((m_folder + file.first).c_str());
    RemoveDirectoryA(m_folder.c_str());
}

bool WinSettings::ResetIniFiles() const {
    // The profile functions keep files they have read; let them see the
    // new contents.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, nullptr);
    return WriteIniFiles();
}

bool HoldControlKey() {
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return false;
    keys[VK_CONTROL] |= 0x80;
    keys[VK_LCONTROL] |= 0x80;
    if (!SetKeyboardState(keys)) return false;
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace vxbench
