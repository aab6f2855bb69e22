#include "support/win32/ExpectedWindows.h"

#include <windows.h>

#include <string>

namespace vxtest {

namespace {

std::string Environment(const char* name) {
    char value[64] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

bool ExpectWindows95() {
    return Environment("VX_EXPECT_WINDOWS") == "95";
}

int ExpectedDpi() {
    std::string text = Environment("VX_EXPECT_DPI");
    if (text.empty()) return 96;
    int dpi = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || dpi > 10000) return 0;
        dpi = dpi * 10 + (c - '0');
    }
    return dpi;
}

TemplateMetrics ExpectedTemplateMetrics() {
    // Measured under Wine with its "MS Sans Serif" (dialog base units 6 x 12
    // at 96 dots per inch, 8 x 15 at 120, where the icons grow from 32 to 40
    // pixels); the tests check them against the template's dialog units.
    static const struct {
        int dpi;
        TemplateMetrics metrics;
    } kMeasured[] = {
        // 363 - 11; 303 - (8 + 32) - 17
        {96, {352, 159, 195, 246, 338, 363}},
        // 484 - 14; 379 - (9 + 40) - 17
        {120, {470, 218, 254, 313, 456, 481}},
    };
    for (const auto& measured : kMeasured) {
        if (measured.dpi == ExpectedDpi()) return measured.metrics;
    }
    return TemplateMetrics{};
}

}  // namespace vxtest
