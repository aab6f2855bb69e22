#include "Win32Registry.h"

#include <windows.h>

namespace vx {

namespace {

HKEY ToKey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

// A DWORD in/out argument mirrored from an optional 32-bit caller value.
class DwordArg {
  public:
    explicit DwordArg(uint32_t* value) : m_value(value), m_copy(value ? *value : 0) {}
    ~DwordArg() {
        if (m_value != nullptr) *m_value = static_cast<uint32_t>(m_copy);
    }
    DwordArg(const DwordArg&) = delete;
    DwordArg& operator=(const DwordArg&) = delete;
    DWORD* Get() { return m_value != nullptr ? &m_copy : nullptr; }

  private:
    uint32_t* m_value;
    DWORD m_copy;
};

}  // namespace

long Win32Registry::OpenKey(const char* path, uint32_t access, KeyHandle* out) {
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &key);
    if (out != nullptr) *out = result == ERROR_SUCCESS ? reinterpret_cast<KeyHandle>(key) : nullptr;
    return result;
}

long Win32Registry::EnumValue(KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                              uint32_t* type, uint8_t* data, uint32_t* dataBytes) {
    DwordArg nameArg(nameChars);
    DwordArg typeArg(type);
    DwordArg dataArg(dataBytes);
    return RegEnumValueA(ToKey(key), index, name, nameArg.Get(), nullptr, typeArg.Get(), data,
                         dataArg.Get());
}

long Win32Registry::QueryValue(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                               uint32_t* dataBytes) {
    DwordArg typeArg(type);
    DwordArg dataArg(dataBytes);
    return RegQueryValueExA(ToKey(key), name, nullptr, typeArg.Get(), data, dataArg.Get());
}

long Win32Registry::SetValue(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                             uint32_t bytes) {
    return RegSetValueExA(ToKey(key), name, 0, type, data, bytes);
}

long Win32Registry::DeleteValue(KeyHandle key, const char* name) {
    return RegDeleteValueA(ToKey(key), name);
}

long Win32Registry::DeleteKey(const char* path) {
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

long Win32Registry::CloseKey(KeyHandle key) {
    return RegCloseKey(ToKey(key));
}

}  // namespace vx
