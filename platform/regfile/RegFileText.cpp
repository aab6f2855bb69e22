#include "RegFileText.h"

#include <cstdio>

namespace vx::regfile {

namespace {

constexpr char kVersion5Header[] = "Windows Registry Editor Version 5.00";

// Code points of the bytes 0x80 to 0x9F of Windows-1252; 0 where the code
// page leaves the byte undefined (it then stands for the same C1 code point).
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::string CodePointText(uint32_t codePoint) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

// Collects converted characters into lines.
class LineSink {
  public:
    LineSink(std::vector<std::string>* lines, bool crEndsLine)
        : m_lines(lines), m_crEndsLine(crEndsLine) {
        m_lines->emplace_back();
    }
    int Line() const { return static_cast<int>(m_lines->size()); }
    bool Put(uint32_t codePoint, ParseError* error) {
        char c = 0;
        if (!ToSingleByte(codePoint, &c)) {
            *error = {Line(), "character " + CodePointText(codePoint) + " has no single-byte form"};
            return false;
        }
        PutByte(c);
        return true;
    }
    void PutByte(char c) {
        const bool afterCr = m_afterCr;
        m_afterCr = false;
        if (c == '\n') {
            std::string& last = m_lines->back();
            if (!last.empty() && last.back() == '\r') last.pop_back();
            // CR LF is one line end where a CR ends a line by itself.
            if (!afterCr) m_lines->emplace_back();
        } else if (c == '\r' && m_crEndsLine) {
            m_lines->emplace_back();
            m_afterCr = true;
        } else {
            m_lines->back().push_back(c);
        }
    }

  private:
    std::vector<std::string>* m_lines;
    bool m_crEndsLine;
    bool m_afterCr = false;
};

bool DecodeUtf16(const std::string& bytes, size_t start, LineSink& sink, ParseError* error) {
    if ((bytes.size() - start) % 2 != 0) {
        *error = {sink.Line(), "UTF-16 text ends in the middle of a character"};
        return false;
    }
    for (size_t i = start; i < bytes.size(); i += 2) {
        uint32_t unit = static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            uint32_t low = 0;
            if (unit <= 0xDBFF && i + 3 < bytes.size()) {
                low =
                    static_cast<uint8_t>(bytes[i + 2]) | (static_cast<uint8_t>(bytes[i + 3]) << 8);
            }
            if (low < 0xDC00 || low > 0xDFFF) {
                *error = {sink.Line(), "invalid UTF-16 surrogate"};
                return false;
            }
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (!sink.Put(unit, error)) return false;
    }
    return true;
}

bool DecodeUtf8(const std::string& bytes, size_t start, LineSink& sink, ParseError* error) {
    size_t i = start;
    while (i < bytes.size()) {
        uint8_t lead = static_cast<uint8_t>(bytes[i]);
        int extra = -1;
        if (lead < 0x80) {
            extra = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
        }
        if (extra < 0) {
            *error = {sink.Line(), "invalid UTF-8 text"};
            return false;
        }
        uint32_t codePoint = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = i + extra < bytes.size();
        for (int k = 1; valid && k <= extra; ++k) {
            uint8_t next = static_cast<uint8_t>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        static constexpr uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || codePoint < kSmallest[extra] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            *error = {sink.Line(), "invalid UTF-8 text"};
            return false;
        }
        if (!sink.Put(codePoint, error)) return false;
        i += extra + 1;
    }
    return true;
}

bool StartsWith(const std::string& bytes, size_t start, const char* prefix) {
    return bytes.compare(start, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

bool ToSingleByte(uint32_t codePoint, char* out) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        *out = static_cast<char>(codePoint);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        uint32_t mapped = kHighControls[i] != 0 ? kHighControls[i] : 0x80u + i;
        if (mapped == codePoint) {
            *out = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

uint32_t FromSingleByte(char c) {
    const uint8_t byte = static_cast<uint8_t>(c);
    if (byte < 0x80 || byte >= 0xA0) return byte;
    const uint16_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : byte;
}

namespace {

// Lines end at LF and CR LF, and with crEndsLine at a CR by itself too.
bool Decode(const std::string& bytes, std::vector<std::string>* lines, ParseError* error,
            bool crEndsLine) {
    std::vector<std::string> result;
    LineSink sink(&result, crEndsLine);
    if (StartsWith(bytes, 0, "\xFF\xFE")) {
        if (!DecodeUtf16(bytes, 2, sink, error)) return false;
    } else if (StartsWith(bytes, 0, "\xFE\xFF")) {
        *error = {1, "UTF-16 big-endian text is not supported"};
        return false;
    } else if (StartsWith(bytes, 0, "\xEF\xBB\xBF")) {
        if (!DecodeUtf8(bytes, 3, sink, error)) return false;
    } else if (StartsWith(bytes, 0, kVersion5Header)) {
        if (!DecodeUtf8(bytes, 0, sink, error)) return false;
    } else {
        for (char c : bytes) sink.PutByte(c);
    }
    std::string& last = result.back();
    if (!last.empty() && last.back() == '\r') last.pop_back();
    // A line end at the very end closes the last line; it opens no new one.
    if (result.size() > 1 && result.back().empty()) result.pop_back();
    *lines = std::move(result);
    return true;
}

}  // namespace

bool DecodeLines(const std::string& bytes, std::vector<std::string>* lines, ParseError* error) {
    return Decode(bytes, lines, error, false);
}

bool DecodeRegistryLines(const std::string& bytes, std::vector<std::string>* lines,
                         ParseError* error) {
    return Decode(bytes, lines, error, true);
}

bool Utf16DataToSingleByte(const std::vector<uint8_t>& in, std::vector<uint8_t>* out,
                           std::string* reason) {
    if (in.size() % 2 != 0) {
        *out = in;
        return true;
    }
    std::vector<uint8_t> result;
    result.reserve(in.size() / 2);
    for (size_t i = 0; i < in.size(); i += 2) {
        uint32_t unit = in[i] | (in[i + 1] << 8);
        char c = 0;
        if (!ToSingleByte(unit, &c)) {
            *reason = "character " + CodePointText(unit) + " has no single-byte form";
            return false;
        }
        result.push_back(static_cast<uint8_t>(c));
    }
    *out = std::move(result);
    return true;
}

}  // namespace vx::regfile
