#include "ProfileInteger.h"

namespace vx {

namespace {

// What GetPrivateProfileString copies into a buffer of this many characters
// (terminating zero included).
const size_t kReadBufferChars = 30;

std::string AsReadThroughBuffer(const std::string& value) {
    const size_t room = kReadBufferChars - 1;
    const bool quoted =
        value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    if (!quoted) return value.substr(0, room);
    // The closing quote is dropped only when the rest fits the buffer
    // (its terminating zero included); the last copied character goes then.
    const std::string rest = value.substr(1);
    std::string copied = rest.substr(0, room);
    if (rest.size() <= kReadBufferChars) copied.pop_back();
    return copied;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

uint32_t ToInteger(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (text.size() - pos >= 2 && text[pos] == '0') {
        switch (text[pos + 1]) {
            case 'x':
                base = 16;
                break;
            case 'o':
                base = 8;
                break;
            case 'b':
                base = 2;
                break;
            default:
                break;
        }
        if (base != 10) pos += 2;
    }
    uint32_t total = 0;
    for (; pos < text.size(); ++pos) {
        int digit = DigitValue(text[pos]);
        if (digit < 0 || digit >= base) break;
        total = total * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    return negative ? 0u - total : total;
}

}  // namespace

uint32_t ProfileInteger(const std::string& value, int32_t defaultValue) {
    const std::string text = AsReadThroughBuffer(value);
    if (text.empty()) return static_cast<uint32_t>(defaultValue);
    return ToInteger(text);
}

}  // namespace vx
