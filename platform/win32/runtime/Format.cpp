// The formatter behind snprintf. Portable: the tests run it on both backends.
#include <stdint.h>

#include "Runtime.h"

namespace vx {
namespace rt {

namespace {

// Collects the output: counts every character, stores those that fit.
class Output {
  public:
    Output(char* buffer, size_t size) : m_buffer(buffer), m_size(size) {}

    void Put(char c) {
        if (m_length + 1 < m_size) m_buffer[m_length] = c;
        ++m_length;
    }
    void Repeat(char c, int count) {
        for (int i = 0; i < count; ++i) Put(c);
    }
    void Write(const char* text, int length) {
        for (int i = 0; i < length; ++i) Put(text[i]);
    }
    // Ends the stored text; gives the whole text's length.
    size_t Finish() {
        if (m_size > 0) m_buffer[m_length < m_size ? m_length : m_size - 1] = '\0';
        return m_length;
    }

  private:
    char* m_buffer;
    size_t m_size;
    size_t m_length = 0;
};

struct Directive {
    bool left = false;     // '-'
    bool zeroPad = false;  // '0'
    int width = 0;
    int precision = -1;  // none
};

// Writes sign, zeros and text padded to the field's width.
void Field(Output& out, const Directive& directive, const char* sign, int zeros, const char* text,
           int length) {
    const int signLength = sign[0] ? 1 : 0;
    const int used = signLength + zeros + length;
    int padding = directive.width > used ? directive.width - used : 0;
    if (!directive.left && !directive.zeroPad) out.Repeat(' ', padding);
    out.Write(sign, signLength);
    if (!directive.left && directive.zeroPad) out.Repeat('0', padding);
    out.Repeat('0', zeros);
    out.Write(text, length);
    if (directive.left) out.Repeat(' ', padding);
}

void Number(Output& out, Directive directive, const char* sign, uint32_t value, unsigned base,
            bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char text[16];
    int at = sizeof text;
    // A precision gives the least number of digits; 0 with value 0 gives none.
    while (value != 0) {
        text[--at] = digits[value % base];
        value /= base;
    }
    const int length = static_cast<int>(sizeof text) - at;
    const int minimum = directive.precision < 0 ? 1 : directive.precision;
    if (directive.precision >= 0) directive.zeroPad = false;
    Field(out, directive, sign, minimum > length ? minimum - length : 0, text + at, length);
}

// Widths and precisions beyond this are taken as this.
constexpr int kLargestCount = 100000;

// A width or precision: digits, or '*' for the next argument (which may be
// negative).
int ReadCount(const char*& format, va_list& args) {
    if (*format == '*') {
        ++format;
        const int count = va_arg(args, int);
        if (count > kLargestCount) return kLargestCount;
        return count < -kLargestCount ? -kLargestCount : count;
    }
    int count = 0;
    while (*format >= '0' && *format <= '9') {
        if (count < kLargestCount) count = count * 10 + (*format - '0');
        ++format;
    }
    return count > kLargestCount ? kLargestCount : count;
}

}  // namespace

int FormatV(char* buffer, size_t size, const char* format, va_list args) {
    Output out(buffer, size);
    va_list rest;
    va_copy(rest, args);
    bool known = true;
    while (known && *format) {
        if (*format != '%') {
            out.Put(*format++);
            continue;
        }
        ++format;
        Directive directive;
        for (;; ++format) {
            if (*format == '-') {
                directive.left = true;
            } else if (*format == '0') {
                directive.zeroPad = true;
            } else {
                break;
            }
        }
        directive.width = ReadCount(format, rest);
        if (directive.width < 0) {  // a negative width from '*' means '-'
            directive.left = true;
            directive.width = -directive.width;
        }
        if (*format == '.') {
            ++format;
            directive.precision = ReadCount(format, rest);
            if (directive.precision < 0) directive.precision = -1;
        }
        if (directive.left) directive.zeroPad = false;
        // int, long and size_t are all 32 bits here; a short is promoted to int.
        char size = 0;
        if (*format == 'l' || *format == 'h' || *format == 'z') size = *format++;
        switch (*format++) {
            case 'd':
            case 'i': {
                int32_t value = va_arg(rest, int32_t);
                if (size == 'h') value = static_cast<int16_t>(value);
                const uint32_t magnitude =
                    value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
                Number(out, directive, value < 0 ? "-" : "", magnitude, 10, false);
                break;
            }
            case 'u':
            case 'x':
            case 'X': {
                uint32_t value = va_arg(rest, uint32_t);
                if (size == 'h') value = static_cast<uint16_t>(value);
                const char c = format[-1];
                Number(out, directive, "", value, c == 'u' ? 10 : 16, c == 'X');
                break;
            }
            case 'c': {
                const char c = static_cast<char>(va_arg(rest, int));
                directive.zeroPad = false;
                Field(out, directive, "", 0, &c, 1);
                break;
            }
            case 's': {
                const char* text = va_arg(rest, const char*);
                if (text == nullptr) text = "(null)";
                // With a precision the text need not end in a zero: no byte
                // past the first `precision` is read.
                int length = 0;
                while ((directive.precision < 0 || length < directive.precision) && text[length])
                    ++length;
                directive.zeroPad = false;
                Field(out, directive, "", 0, text, length);
                break;
            }
            case '%':
                out.Put('%');
                break;
            default:
                known = false;
                break;
        }
    }
    va_end(rest);
    const size_t length = out.Finish();
    if (!known || length > 0x7FFFFFFF) return -1;
    return static_cast<int>(length);
}

}  // namespace rt
}  // namespace vx
