// The registry operations that the driver settings store needs. Every path
// is relative to HKEY_LOCAL_MACHINE. Results are Win32 error codes:
// kErrorSuccess (0) on success, anything else is failure.
#pragma once

#include <cstdint>

#include "Types.h"

namespace vx {

class IRegistry {
  public:
    virtual ~IRegistry() = default;

    // RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, out).
    virtual long OpenKey(const char* path, uint32_t access, KeyHandle* out) = 0;

    // RegEnumValueA: *nameChars holds the name capacity in characters
    // (terminating zero included) and receives the name's length;
    // *dataBytes holds the data capacity and receives the data's size.
    // Fails with kErrorNoMoreItems past the last value and with
    // kErrorMoreData when the name or the data does not fit.
    virtual long EnumValue(KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                           uint32_t* type, uint8_t* data, uint32_t* dataBytes) = 0;

    // RegQueryValueExA; *dataBytes is the capacity in, the size out.
    virtual long QueryValue(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                            uint32_t* dataBytes) = 0;

    // RegSetValueExA.
    virtual long SetValue(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                          uint32_t bytes) = 0;

    // RegDeleteValueA.
    virtual long DeleteValue(KeyHandle key, const char* name) = 0;

    // RegDeleteKeyA(HKEY_LOCAL_MACHINE, path).
    virtual long DeleteKey(const char* path) = 0;

    // RegCloseKey.
    virtual long CloseKey(KeyHandle key) = 0;
};

// Owns one key opened through IRegistry and closes it on every path out of
// a scope. The key lives in the guard itself or, when a slot is given, in
// that slot (an object's key field), which is emptied whenever no key is
// open.
class ScopedKey {
  public:
    explicit ScopedKey(IRegistry& registry) : m_registry(registry) {}
    ScopedKey(IRegistry& registry, KeyHandle& slot) : m_registry(registry), m_slot(&slot) {
        *m_slot = nullptr;
    }
    ~ScopedKey() { Close(); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;

    // Closes the key held, then opens path under HKEY_LOCAL_MACHINE; the
    // registry's result. After a failure no key is held.
    long Open(const char* path, uint32_t access) {
        Close();
        const long result = m_registry.OpenKey(path, access, m_slot);
        if (result != 0) *m_slot = nullptr;
        return result;
    }
    KeyHandle Get() const { return *m_slot; }
    void Close() {
        if (*m_slot != nullptr) {
            m_registry.CloseKey(*m_slot);
            *m_slot = nullptr;
        }
    }

  private:
    IRegistry& m_registry;
    KeyHandle m_key = nullptr;
    KeyHandle* m_slot = &m_key;
};

}  // namespace vx
