// The registry functions of the page under test, passed on unchanged, with
// the names of the values that an enumeration returned.
#pragma once

#include <set>
#include <string>

#include "platform/ForwardingPlatform.h"

namespace vxfuzz {

class EnumerationLog final : public vx::ForwardingPlatform {
  public:
    explicit EnumerationLog(vx::IRegistry& registry)
        : ForwardingPlatform(vx::PlatformServices{&registry}) {}

    long EnumValue(vx::KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                   uint32_t* type, uint8_t* data, uint32_t* dataBytes) override {
        const long result =
            ForwardingPlatform::EnumValue(key, index, name, nameChars, type, data, dataBytes);
        if (result == 0 && name != nullptr) m_enumerated.insert(name);
        return result;
    }

    // Every value name that an enumeration returned since the last Forget.
    const std::set<std::string>& Enumerated() const { return m_enumerated; }
    void Forget() { m_enumerated.clear(); }

  private:
    std::set<std::string> m_enumerated;
};

}  // namespace vxfuzz
