// The two INI profile functions that the entries use.
#pragma once

#include <cstdint>

namespace vx {

class IProfile {
  public:
    virtual ~IProfile() = default;

    // GetPrivateProfileIntA(section, key, defaultValue, file).
    virtual uint32_t GetInt(const char* section, const char* key, int32_t defaultValue,
                            const char* file) = 0;

    // WritePrivateProfileStringA(section, key, value, file); non-zero on success.
    // A null key deletes the section, a null value deletes the key.
    virtual int WriteString(const char* section, const char* key, const char* value,
                            const char* file) = 0;
};

}  // namespace vx
