#include "Columns.h"

namespace vexaro {

namespace {

bool Continues(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

}  // namespace

size_t Columns(const std::string& text) {
    size_t n = 0;
    for (unsigned char c : text) n += !Continues(c);
    return n;
}

std::string FitColumn(const std::string& text, size_t width) {
    const size_t columns = Columns(text);
    if (columns <= width) return text + std::string(width - columns, ' ');
    if (width == 0) return "";
    // Keep width - 1 characters, whole.
    size_t kept = 0, end = 0;
    while (end < text.size()) {
        size_t next = end + 1;
        while (next < text.size() && Continues(static_cast<unsigned char>(text[next]))) ++next;
        if (kept + 1 > width - 1) break;
        ++kept;
        end = next;
    }
    return text.substr(0, end) + "\u2026";
}

}  // namespace vexaro
