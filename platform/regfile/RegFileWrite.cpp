// Writing of REGEDIT4 text as regedit exports it: one block per key, text
// values in quotes, numbers as dword:, everything else as a hex list that
// wraps before the 80th column.
#include <cstdio>

#include "RegFile.h"

namespace vx::regfile {

namespace {

constexpr uint32_t kTypeSz = 1;
constexpr uint32_t kTypeBinary = 3;
constexpr uint32_t kTypeDword = 4;
constexpr size_t kHexLineLimit = 77;  // as regedit: a line ends after the comma past column 77
constexpr char kLineEnd[] = "\r\n";

// Quoted text with \\ and \" escaped; line ends, which only a value name
// can bring here, take the escapes that Parse reads back. A zero byte stays
// as it is: regedit reads no \0 escape.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

// REG_SZ data that can be written in quotes: one zero byte at the end and
// no control character before it.
bool IsPlainText(const Value& value) {
    if (value.type != kTypeSz || value.data.empty() || value.data.back() != 0) return false;
    for (size_t i = 0; i + 1 < value.data.size(); ++i) {
        if (value.data[i] < 0x20) return false;
    }
    return true;
}

void AppendHex(std::string* out, size_t lineLength, const std::vector<uint8_t>& data) {
    char digits[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", data[i]);
        *out += digits;
        lineLength += 2;
        if (i + 1 < data.size()) {
            *out += ',';
            if (++lineLength >= kHexLineLimit) {
                *out += "\\";
                *out += kLineEnd;
                *out += "  ";
                lineLength = 2;
            }
        }
    }
}

std::string ValueLine(const Value& value) {
    std::string line = value.name.empty() ? "@" : Quoted(value.name);
    line += '=';
    if (value.deleted) return line + "-";
    if (IsPlainText(value)) {
        return line + Quoted(std::string(value.data.begin(), value.data.end() - 1));
    }
    if (value.type == kTypeDword && value.data.size() == 4) {
        char number[16];
        uint32_t n = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                     (static_cast<uint32_t>(value.data[3]) << 24);
        std::snprintf(number, sizeof number, "dword:%08x", static_cast<unsigned>(n));
        return line + number;
    }
    if (value.type == kTypeBinary) {
        line += "hex:";
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
        line += prefix;
    }
    AppendHex(&line, line.size(), value.data);
    return line;
}

}  // namespace

std::string Write(const Document& document) {
    std::string out = std::string("REGEDIT4") + kLineEnd + kLineEnd;
    for (const Key& key : document.keys) {
        out += (key.deleted ? "[-" : "[") + key.path + "]" + kLineEnd;
        if (!key.deleted) {
            for (const Value& value : key.values) out += ValueLine(value) + kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

}  // namespace vx::regfile
