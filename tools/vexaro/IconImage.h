// The page's icon (resource 113) as pixels, decoded from the icon file that
// the module's resources are built from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexaro {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows from the top; alpha 0 or 255
};

// Decodes the image of an .ico file nearest to 32 by 32 pixels: a bitmap of
// 1, 4, 8, 24 or 32 bits per pixel with its transparency mask. False when
// the bytes are no such icon.
bool DecodeIcon(const uint8_t* data, size_t size, IconImage* out);

// Icon 113, as the module carries it; empty when it cannot be decoded.
const IconImage& PageIcon();

}  // namespace vexaro
