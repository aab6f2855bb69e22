#include "AnsiText.h"

#include <cstdint>
#include <cstdio>

#include "platform/regfile/RegFileText.h"

namespace vexaro {

namespace {

void AppendUtf8(uint32_t codePoint, std::string* out) {
    if (codePoint < 0x80) {
        *out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out += static_cast<char>(0xC0 | (codePoint >> 6));
        *out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out += static_cast<char>(0xE0 | (codePoint >> 12));
        *out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsControl(uint32_t codePoint) {
    return codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0);
}

// The code point of the well-formed UTF-8 sequence at text[i] and its
// length; 0 when none starts there.
size_t Utf8Sequence(const std::string& text, size_t i, uint32_t* codePoint) {
    const uint8_t lead = static_cast<uint8_t>(text[i]);
    const int extra = lead < 0x80                      ? 0
                      : (lead >= 0xC2 && lead <= 0xDF) ? 1
                      : (lead >= 0xE0 && lead <= 0xEF) ? 2
                      : (lead >= 0xF0 && lead <= 0xF4) ? 3
                                                       : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) return 0;
    uint32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const uint8_t next = static_cast<uint8_t>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    *codePoint = value;
    return static_cast<size_t>(extra) + 1;
}

// The code points of UTF-8 text; false when it is not well-formed UTF-8.
bool DecodeUtf8(const std::string& text, std::u32string* out) {
    out->clear();
    for (size_t i = 0; i < text.size();) {
        uint32_t codePoint = 0;
        const size_t length = Utf8Sequence(text, i, &codePoint);
        if (length == 0) return false;
        out->push_back(codePoint);
        i += length;
    }
    return true;
}

void AppendEscaped(uint32_t codePoint, std::string* out) {
    if (codePoint == '\r') {
        *out += "\\r";
    } else if (codePoint == '\n') {
        *out += "\\n";
    } else if (codePoint == '\t') {
        *out += "\\t";
    } else {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(codePoint));
        *out += escape;
    }
}

std::string Lenient(const std::string& text, bool escape) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        uint32_t codePoint = 0;
        size_t length = Utf8Sequence(text, i, &codePoint);
        if (length <= 1) {
            codePoint = vx::regfile::FromSingleByte(text[i]);
            length = 1;
        }
        if (escape && IsControl(codePoint)) {
            AppendEscaped(codePoint, &out);
        } else if (length > 1) {
            out.append(text, i, length);
        } else {
            AppendUtf8(codePoint, &out);
        }
        i += length;
    }
    return out;
}

}  // namespace

std::string Utf8(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) AppendUtf8(vx::regfile::FromSingleByte(c), &out);
    return out;
}

std::string Shown(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
        const uint32_t codePoint = vx::regfile::FromSingleByte(c);
        if (IsControl(codePoint)) {
            // The undefined bytes are C1 code points of their own value.
            AppendEscaped(static_cast<uint8_t>(c), &out);
        } else {
            AppendUtf8(codePoint, &out);
        }
    }
    return out;
}

std::string Utf8Lenient(const std::string& text) {
    return Lenient(text, false);
}

std::string Printable(const std::string& text) {
    return Lenient(text, true);
}

std::string EscapeJsonControls(const std::string& json) {
    std::string out;
    out.reserve(json.size());
    for (size_t i = 0; i < json.size(); ++i) {
        const uint8_t next = i + 1 < json.size() ? static_cast<uint8_t>(json[i + 1]) : 0;
        if (json[i] == '\x7F') {
            out += "\\u007f";
        } else if (static_cast<uint8_t>(json[i]) == 0xC2 && next >= 0x80 && next < 0xA0) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", next);
            out += escape;
            ++i;
        } else {
            out += json[i];
        }
    }
    return out;
}

std::string HexBytes(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const uint8_t b = static_cast<uint8_t>(c);
        out += kDigits[b >> 4];
        out += kDigits[b & 0xF];
    }
    return out;
}

std::string AnsiFromArgument(const std::string& argument) {
    std::u32string codePoints;
    if (!DecodeUtf8(argument, &codePoints)) return argument;
    std::string out;
    for (char32_t codePoint : codePoints) {
        char c = 0;
        if (!vx::regfile::ToSingleByte(codePoint, &c)) return argument;
        out += c;
    }
    return out;
}

size_t Utf8Width(const std::string& utf8) {
    size_t width = 0;
    for (char c : utf8) {
        if ((static_cast<uint8_t>(c) & 0xC0) != 0x80) ++width;
    }
    return width;
}

std::string PadRight(const std::string& utf8, size_t width) {
    const size_t have = Utf8Width(utf8);
    return have >= width ? utf8 : utf8 + std::string(width - have, ' ');
}

}  // namespace vexaro
