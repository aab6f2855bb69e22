// The two INI profile functions that the entries use.
// - GetInt: GetPrivateProfileIntA(section, key, defaultValue, file).
// - WriteString: WritePrivateProfileStringA(section, key, value, file);
//   non-zero on success. A null key deletes the section, a null value
//   deletes the key.
#pragma once

#include <cstdint>

#include "Interface.h"

#define VX_PROFILE_METHODS(M, on)                                                     \
    M(on, uint32_t, GetInt,                                                           \
      (const char* section, const char* key, int32_t defaultValue, const char* file), \
      (section, key, defaultValue, file))                                             \
    M(on, int, WriteString,                                                           \
      (const char* section, const char* key, const char* value, const char* file),    \
      (section, key, value, file))

namespace vx {

VX_DECLARE_INTERFACE(IProfile, VX_PROFILE_METHODS);

}  // namespace vx
