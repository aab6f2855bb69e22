// The INI profile functions of the system (KERNEL32).
#pragma once

#include "platform/Profile.h"

namespace vx {

class Win32Profile final : public IProfile {
  public:
    uint32_t GetInt(const char* section, const char* key, int32_t defaultValue,
                    const char* file) override;
    int WriteString(const char* section, const char* key, const char* value,
                    const char* file) override;
};

}  // namespace vx
