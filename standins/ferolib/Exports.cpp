// ferolib.dll: tells the current display driver's registry key and the
// current display mode. Its two entry points fill string objects of the
// module's framework that they are handed by reference.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "DisplayKey.h"
#include "StringObject.h"

namespace {

const char kDisplayClassPrefix[] = "System\\CurrentControlSet\\Services\\Class\\Display\\";

// The record that GetCurrentConfig fills: two 32-bit values, then four
// string objects.
struct SettingData {
    DWORD value1;
    DWORD value2;
    char* bitsPerPel;
    char* resolution;
    char* unused;
    char* frequency;
};

int AssignText(char** object, const char* text) {
    return standin::AssignString(object, text, static_cast<int>(std::strlen(text)));
}

}  // namespace

// Exported as "?GetConfigString@@YGHAAVCString@@H@Z". Sets path to the
// current display driver's key relative to HKEY_LOCAL_MACHINE. A path
// longer than capacity characters is refused and the string left alone.
extern "C" int __stdcall FeroGetConfigString(char** path, int capacity) {
    if (path == nullptr || capacity <= 0) return 0;
    char subkey[257];
    if (!standin::ReadCurrentDisplayKey(subkey, sizeof(subkey)) || subkey[0] == '\0') return 0;
    char composed[sizeof kDisplayClassPrefix + sizeof subkey];
    const int length =
        std::snprintf(composed, sizeof composed, "%s%s", kDisplayClassPrefix, subkey);
    if (length < 0 || length > capacity) return 0;
    return standin::AssignString(path, composed, length);
}

// Exported as "?GetCurrentConfig@@YGHAAU_settingdata@@@Z". Fills the
// colour depth, the resolution ("width,height") and the refresh rate of the
// current display mode.
extern "C" int __stdcall FeroGetCurrentConfig(SettingData* data) {
    if (data == nullptr) return 0;
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof(mode));
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    data->value1 = 0;
    data->value2 = 0;
    char text[32];
    std::snprintf(text, sizeof(text), "%lu", static_cast<unsigned long>(mode.dmBitsPerPel));
    int ok = AssignText(&data->bitsPerPel, text);
    std::snprintf(text, sizeof(text), "%lu,%lu", static_cast<unsigned long>(mode.dmPelsWidth),
                  static_cast<unsigned long>(mode.dmPelsHeight));
    ok &= AssignText(&data->resolution, text);
    std::snprintf(text, sizeof(text), "%lu", static_cast<unsigned long>(mode.dmDisplayFrequency));
    ok &= AssignText(&data->frequency, text);
    return ok;
}
