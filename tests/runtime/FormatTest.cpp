// The formatter behind the shipped DLLs' snprintf: the conversions their
// code uses, field widths, and output cut to the buffer.
#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <cstring>
#include <memory>

#include "platform/win32/runtime/Runtime.h"

namespace {

// FormatV over this call's arguments. Whatever the text, a buffer of any
// size ends in a zero within it.
int Format(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = vx::rt::FormatV(buffer, size, format, args);
    va_end(args);
    if (size > 0) {
        EXPECT_NE(std::memchr(buffer, '\0', size), nullptr) << format;
    }
    return length;
}

struct IntegerCase {
    const char* format;
    int a;
    int b;
    const char* expected;
};

TEST(Format, IntegersAsTheCRuntimeGivesThem) {
    const IntegerCase cases[] = {
        {"%d", 0, 0, "0"},
        {"%d", -1, 0, "-1"},
        {"%d", INT_MAX, 0, "2147483647"},
        {"%d", INT_MIN, 0, "-2147483648"},
        {"%i|%d", 12, -34, "12|-34"},
        {"%u", -1, 0, "4294967295"},
        {"%lu,%lu", 1024, 768, "1024,768"},
        {"%5d|", 42, 0, "   42|"},
        {"%-5d|", 42, 0, "42   |"},
        {"%05d", -42, 0, "-0042"},
        {"%-05d|", 42, 0, "42   |"},
        {"%2d", 12345, 0, "12345"},
        {"%.3d", -7, 0, "-007"},
        {"%.0d|", 0, 0, "|"},
        {"%06.3d", 7, 0, "   007"},
        {"%x %X", 0xBEEF, 255, "beef FF"},
        {"%08x", 0x1A, 0, "0000001a"},
        {"%hd", 65535, 0, "-1"},
        {"%hu", 65536 + 5, 0, "5"},
        {"%*d", 4, 7, "   7"},
        {"%*d|", -4, 7, "7   |"},
        {"%.*d", 3, 7, "007"},
        {"%.*d", -1, 7, "7"},  // a negative precision counts as none
        {"%c%c", 'O', 'k', "Ok"},
        {"100%%", 0, 0, "100%"},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(c.format);
        char text[64];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(Format(text, sizeof text, c.format, c.a, c.b),
                  static_cast<int>(std::strlen(c.expected)));
        EXPECT_STREQ(text, c.expected);
    }
}

TEST(Format, TextWithWidthPrecisionAndNull) {
    char text[300];
    const char prefix[] = "System\\CurrentControlSet\\Services\\Class\\Display\\";
    EXPECT_EQ(Format(text, sizeof text, "%s%s", prefix, "0001"), 52);
    EXPECT_STREQ(text, "System\\CurrentControlSet\\Services\\Class\\Display\\0001");
    EXPECT_EQ(Format(text, sizeof text, "[%5s][%-5s][%.2s][%s]", "ab", "ab", "abc", ""), 20);
    EXPECT_STREQ(text, "[   ab][ab   ][ab][]");
    // Characters of code page 1252 pass as they are.
    EXPECT_EQ(Format(text, sizeof text, "%s", "\xC4nderung \xE9"), 10);
    EXPECT_STREQ(text, "\xC4nderung \xE9");
    EXPECT_EQ(Format(text, sizeof text, "%s", static_cast<const char*>(nullptr)), 6);
    EXPECT_STREQ(text, "(null)");
}

// A precision bounds what is read of the text, which then need not end in
// a zero: each array below holds exactly its bytes, so a read past them is
// a heap overflow that the sanitizers report.
TEST(Format, PrecisionReadsNoMoreThanItsBytes) {
    auto bytes = [](const char* text, size_t count) {
        std::unique_ptr<char[]> block(new char[count]);
        std::memcpy(block.get(), text, count);
        return block;
    };
    char text[16];
    const std::unique_ptr<char[]> abc = bytes("abc", 3);
    EXPECT_EQ(Format(text, sizeof text, "[%.3s]", abc.get()), 5);
    EXPECT_STREQ(text, "[abc]");
    EXPECT_EQ(Format(text, sizeof text, "[%.2s]", abc.get()), 4);
    EXPECT_STREQ(text, "[ab]");
    EXPECT_EQ(Format(text, sizeof text, "[%5.*s]", 3, abc.get()), 7);
    EXPECT_STREQ(text, "[  abc]");
    const std::unique_ptr<char[]> none = bytes("", 0);
    EXPECT_EQ(Format(text, sizeof text, "[%.0s]", none.get()), 2);
    EXPECT_STREQ(text, "[]");
    // A zero before the precision's end still ends the text.
    const std::unique_ptr<char[]> shortText = bytes("ab\0d", 4);
    EXPECT_EQ(Format(text, sizeof text, "[%.4s]", shortText.get()), 4);
    EXPECT_STREQ(text, "[ab]");
}

// A conversion it does not know fails instead of reading an argument it
// cannot size; what came before stays in the buffer.
TEST(Format, UnknownConversionFails) {
    char text[16];
    EXPECT_EQ(Format(text, sizeof text, "a%fb", 1.0), -1);
    EXPECT_STREQ(text, "a");
    EXPECT_EQ(Format(text, sizeof text, "%lld", 1LL), -1);
}

// Output that does not fit is cut, always ends in a zero, and the result
// is the length of the whole text.
TEST(Format, CutsToTheBufferAndCountsTheWhole) {
    struct {
        size_t size;
        const char* stored;
    } const cases[] = {{1, ""}, {2, "1"}, {5, "1234"}, {6, "12345"}, {7, "12345"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        char text[8];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(Format(text, c.size, "%d", 12345), 5);
        EXPECT_STREQ(text, c.stored);
        EXPECT_EQ(text[c.size], '#') << "wrote past the buffer";
    }
    char untouched[4] = "abc";
    EXPECT_EQ(Format(untouched, 0, "%d", -12345), 6);
    EXPECT_STREQ(untouched, "abc");
    EXPECT_EQ(Format(nullptr, 0, "%s", "counted"), 7);
    // A width too large for any buffer is counted, not written.
    EXPECT_EQ(Format(nullptr, 0, "%*d", INT_MIN, 1), 100000);
}

}  // namespace
