// The display-mode record that the display library's texts "16",
// "1024,768" and "75" give.
#pragma once

#include <cstring>

#include "page/PostApply.h"

namespace vxtest {

// Size, depth, resolution and frequency set; every other byte zero.
inline vx::DisplayModeRecord Mode1024x768x16At75() {
    vx::DisplayModeRecord mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = 148;
    mode.dmFields = 0x005C0000;
    mode.dmBitsPerPel = 16;
    mode.dmPelsWidth = 1024;
    mode.dmPelsHeight = 768;
    mode.dmDisplayFrequency = 75;
    return mode;
}

}  // namespace vxtest
