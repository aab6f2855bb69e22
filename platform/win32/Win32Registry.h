// The registry of the running Windows system. Every path is relative to
// HKEY_LOCAL_MACHINE; the system's own results are passed through unchanged.
#pragma once

#include "platform/Registry.h"

namespace vx {

class Win32Registry final : public IRegistry {
  public:
    long OpenKey(const char* path, uint32_t access, KeyHandle* out) override;
    long EnumValue(KeyHandle key, uint32_t index, char* name, uint32_t* nameChars, uint32_t* type,
                   uint8_t* data, uint32_t* dataBytes) override;
    long QueryValue(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                    uint32_t* dataBytes) override;
    long SetValue(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                  uint32_t bytes) override;
    long DeleteValue(KeyHandle key, const char* name) override;
    long DeleteKey(const char* path) override;
    long CloseKey(KeyHandle key) override;
};

}  // namespace vx
