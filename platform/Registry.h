// The registry operations that the driver settings store needs. Every path
// is relative to HKEY_LOCAL_MACHINE. Results are Win32 error codes:
// kErrorSuccess (0) on success, anything else is failure.
#pragma once

#include <cstdint>

#include "RegistryMethods.h"
#include "Types.h"
#include "UniqueHandle.h"

namespace vx {

// The operations, as RegistryMethods.h lists them:
//   OpenKey      RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, out).
//   EnumValue    RegEnumValueA: *nameChars holds the name capacity in
//                characters (terminating zero included) and receives the
//                name's length; *dataBytes holds the data capacity and
//                receives the data's size. Fails with kErrorNoMoreItems past
//                the last value and with kErrorMoreData when the name or the
//                data does not fit.
//   QueryValue   RegQueryValueExA; *dataBytes is the capacity in, the size out.
//   SetValue     RegSetValueExA.
//   DeleteValue  RegDeleteValueA.
//   DeleteKey    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path).
//   CloseKey     RegCloseKey.
VX_DECLARE_INTERFACE(IRegistry, VX_REGISTRY_METHODS);

// Closes a key through the registry it was opened with.
struct KeyCloser {
    using Handle = KeyHandle;
    IRegistry* registry = nullptr;
    void operator()(KeyHandle key) const { registry->CloseKey(key); }
};

namespace detail {
// The key of a ScopedKey that fills no outside slot; a base, so that it
// exists before the owner that points at it.
struct OwnKeySlot {
    KeyHandle ownKey = nullptr;
};
}  // namespace detail

// Owns one key opened through IRegistry and closes it on every path out of
// a scope. The key lives in the owner itself or, when a slot is given, in
// that slot (an object's key field), which is emptied whenever no key is
// open.
class ScopedKey : private detail::OwnKeySlot,
                  public UniqueHandle<KeyCloser, HeldInSlot<KeyHandle>> {
  public:
    // The base holding ownKey is built before the owner that points at it.
    explicit ScopedKey(IRegistry& registry)
        : UniqueHandle(KeyCloser{&registry}, HeldInSlot<KeyHandle>(ownKey)) {}
    ScopedKey(IRegistry& registry, KeyHandle& slot)
        : UniqueHandle(KeyCloser{&registry}, HeldInSlot<KeyHandle>(slot)) {}

    // Closes the key held, then opens path under HKEY_LOCAL_MACHINE; the
    // registry's result. After a failure no key is held.
    long Open(const char* path, uint32_t access) {
        KeyHandle* slot = put();
        const long result = closer().registry->OpenKey(path, access, slot);
        if (result != 0) *slot = nullptr;
        return result;
    }
};

}  // namespace vx
