// The registry functions of the page under test, passed on unchanged, with
// the names of the values that an enumeration returned.
#pragma once

#include <set>
#include <string>

#include "platform/Registry.h"

namespace vxfuzz {

class EnumerationLog final : public vx::IRegistry {
  public:
    explicit EnumerationLog(vx::IRegistry& registry) : m_registry(registry) {}

    long OpenKey(const char* path, uint32_t access, vx::KeyHandle* out) override {
        return m_registry.OpenKey(path, access, out);
    }
    long EnumValue(vx::KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                   uint32_t* type, uint8_t* data, uint32_t* dataBytes) override {
        const long result =
            m_registry.EnumValue(key, index, name, nameChars, type, data, dataBytes);
        if (result == 0 && name != nullptr) m_enumerated.insert(name);
        return result;
    }
    long QueryValue(vx::KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                    uint32_t* dataBytes) override {
        return m_registry.QueryValue(key, name, type, data, dataBytes);
    }
    long SetValue(vx::KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                  uint32_t bytes) override {
        return m_registry.SetValue(key, name, type, data, bytes);
    }
    long DeleteValue(vx::KeyHandle key, const char* name) override {
        return m_registry.DeleteValue(key, name);
    }
    long DeleteKey(const char* path) override { return m_registry.DeleteKey(path); }
    long CloseKey(vx::KeyHandle key) override { return m_registry.CloseKey(key); }

    // Every value name that an enumeration returned since the last Forget.
    const std::set<std::string>& Enumerated() const { return m_enumerated; }
    void Forget() { m_enumerated.clear(); }

  private:
    vx::IRegistry& m_registry;
    std::set<std::string> m_enumerated;
};

}  // namespace vxfuzz
