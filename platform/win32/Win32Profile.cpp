#include "Win32Profile.h"

#include <windows.h>

namespace vx {

uint32_t Win32Profile::GetInt(const char* section, const char* key, int32_t defaultValue,
                              const char* file) {
    return GetPrivateProfileIntA(section, key, defaultValue, file);
}

int Win32Profile::WriteString(const char* section, const char* key, const char* value,
                              const char* file) {
    return WritePrivateProfileStringA(section, key, value, file) ? 1 : 0;
}

}  // namespace vx
