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
    // Measured under Wine with its "MS Sans Serif"; the tests check them
    // against the template's dialog units as well.
    TemplateMetrics metrics;
    switch (ExpectedDpi()) {
        case 96:
            metrics.groupBoxWidth = 1;
            metrics.availableHeight = 1;
            break;
        case 120:
            metrics.groupBoxWidth = 1;
            metrics.availableHeight = 1;
            break;
        default:
            return metrics;
    }
    const int half = metrics.groupBoxWidth / 2;
    metrics.columnWidth = half - 17;
    metrics.secondColumnX = half + 19;
    return metrics;
}

}  // namespace vxtest
