#include "IconImage.h"

#include <cstdlib>

namespace vexaro {

// The bytes of the icon file, compiled in when the tool is built.
extern const uint8_t kPageIconFile[];
extern const size_t kPageIconFileSize;

namespace {

uint32_t Le(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 16;
constexpr size_t kInfoHeader = 40;
constexpr int kLargest = 256;

// Bytes in one row of a bitmap, padded to four bytes.
size_t Stride(int width, int bits) {
    return ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
}

bool DecodeBitmap(const uint8_t* p, size_t size, IconImage* out) {
    if (size < kInfoHeader) return false;
    const uint32_t headerSize = Le(p, 4);
    const int width = static_cast<int32_t>(Le(p + 4, 4));
    const int height = static_cast<int32_t>(Le(p + 8, 4)) / 2;  // image and mask
    const int bits = static_cast<int>(Le(p + 14, 2));
    const uint32_t compression = Le(p + 16, 4);
    uint32_t colours = Le(p + 32, 4);
    if (headerSize < kInfoHeader || headerSize > size || compression != 0) return false;
    if (width <= 0 || height <= 0 || width > kLargest || height > kLargest) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    if (bits <= 8 && (colours == 0 || colours > (1u << bits))) colours = 1u << bits;
    if (bits > 8) colours = 0;

    const size_t palette = headerSize;
    const size_t image = palette + static_cast<size_t>(colours) * 4;
    const size_t stride = Stride(width, bits), maskStride = Stride(width, 1);
    const size_t mask = image + stride * height;
    if (mask + maskStride * height > size) return false;

    out->width = width;
    out->height = height;
    out->pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored from the bottom.
        const uint8_t* row = p + image + stride * (height - 1 - y);
        const uint8_t* maskRow = p + mask + maskStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t rgb, alpha = 0xFF;
            if (bits <= 8) {
                const size_t bit = static_cast<size_t>(x) * bits;
                const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index >= colours) return false;
                rgb = Le(p + palette + index * 4, 3);
            } else {
                rgb = Le(row + static_cast<size_t>(x) * (bits / 8), 3);
                if (bits == 32) alpha = row[x * 4 + 3];
            }
            const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
            if (transparent && bits != 32) alpha = 0;
            if (bits == 32 && alpha != 0xFF) alpha = alpha >= 0x80 ? 0xFF : 0;
            out->pixels[static_cast<size_t>(y) * width + x] = alpha == 0 ? 0 : (alpha << 24) | rgb;
        }
    }
    return true;
}

}  // namespace

bool DecodeIcon(const uint8_t* data, size_t size, IconImage* out) {
    *out = IconImage{};
    if (data == nullptr || size < kDirectoryHeader) return false;
    if (Le(data, 2) != 0 || Le(data + 2, 2) != 1) return false;
    const size_t count = Le(data + 4, 2);
    if (count == 0 || kDirectoryHeader + count * kDirectoryEntry > size) return false;
    // The entry whose width is nearest to 32 (0 stands for 256).
    size_t best = 0;
    int bestDistance = 1 << 30;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = data + kDirectoryHeader + i * kDirectoryEntry;
        const int width = e[0] == 0 ? 256 : e[0];
        const int distance = std::abs(width - 32);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    const uint8_t* e = data + kDirectoryHeader + best * kDirectoryEntry;
    const size_t bytes = Le(e + 8, 4), offset = Le(e + 12, 4);
    if (offset > size || bytes > size - offset) return false;
    if (!DecodeBitmap(data + offset, bytes, out)) {
        *out = IconImage{};
        return false;
    }
    return true;
}

const IconImage& PageIcon() {
    static const IconImage icon = [] {
        IconImage decoded;
        DecodeIcon(kPageIconFile, kPageIconFileSize, &decoded);
        return decoded;
    }();
    return icon;
}

}  // namespace vexaro
