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
    TemplateMetrics metrics;
    switch (ExpectedDpi()) {
        case 96:
            metrics.groupBoxWidth = 352;  // 363 - 11
            metrics.columnWidth = 159;
            metrics.secondColumnX = 195;
            metrics.availableHeight = 246;  // 303 - (8 + 32) - 17
            break;
        case 120:
            metrics.groupBoxWidth = 470;  // 484 - 14
            metrics.columnWidth = 218;
            metrics.secondColumnX = 254;
            metrics.availableHeight = 313;  // 379 - (9 + 40) - 17
            break;
        default:
            break;
    }
    return metrics;
}

}  // namespace vxtest
