// Reading registry files: every syntax form regedit writes or reads, the
// Unicode exports, the lines passed over with their numbers, and the
// refusal of files that regedit would not import.
#include <gtest/gtest.h>

#include "RegFileTestUtil.h"

namespace vxtest {
namespace {

using vx::regfile::Document;
using vx::regfile::Parse;
using vx::regfile::ParseError;

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Test";

struct ValueCase {
    const char* line;
    const char* name;
    uint32_t type;
    std::vector<uint8_t> data;
    bool deleted;
};

TEST(RegFileParseTest, EveryValueForm) {
    const ValueCase cases[] = {
        {"\"a\"=\"text\"", "a", 1, Sz("text"), false},
        {"\"a\"=\"\"", "a", 1, Sz(""), false},
        {R"("a\\b\"c"="x\\y\"z")", "a\\b\"c", 1, Sz("x\\y\"z"), false},
        {"\"a\"=\"caf\xE9 ;[x]=\"", "a", 1, Sz("caf\xE9 ;[x]="), false},
        {"@=\"default\"", "", 1, Sz("default"), false},
        {"\"n\"=dword:0000001f", "n", 4, {0x1f, 0, 0, 0}, false},
        {"\"n\"=dword:FFFFFFFE ; comment", "n", 4, {0xfe, 0xff, 0xff, 0xff}, false},
        {"\"n\"=dword:\t 0000000a;c", "n", 4, {0x0a, 0, 0, 0}, false},
        {"\"n\"=dword:1", "n", 4, {1, 0, 0, 0}, false},
        {"\"b\"=hex:01,ab,FF", "b", 3, {0x01, 0xab, 0xff}, false},
        {"\"b\"=hex:", "b", 3, {}, false},
        {"\"b\"=hex: 1, 2,3", "b", 3, {1, 2, 3}, false},
        {"\"b\"=hex:0x1f,0ff,001,", "b", 3, {0x1f, 0xff, 0x01}, false},
        {"\"b\"=hex:01,02 ; two bytes", "b", 3, {1, 2}, false},
        {"\"e\"=hex(2):25,41,25,00", "e", 2, {'%', 'A', '%', 0}, false},
        {"\"m\"=hex(7):61,00,62,00,00", "m", 7, {'a', 0, 'b', 0, 0}, false},
        {"\"z\"=hex(0):", "z", 0, {}, false},
        {"\"q\"=hex(b):01,02,03,04,05,06,07,08", "q", 11, {1, 2, 3, 4, 5, 6, 7, 8}, false},
        {"\"s\"=hex(1):41,0d,0a", "s", 1, {'A', '\r', '\n'}, false},
        {"\"c\"=hex:01,02,\\\r\n  03,04,\\\r\n  05", "c", 3, {1, 2, 3, 4, 5}, false},
        {"\"c\"=hex:01,\\ ; more\r\n\r\n ; between\r\n  02", "c", 3, {1, 2}, false},
        {"\"c\"=hex:01,\\\r\n  02,", "c", 3, {1, 2}, false},
        {"\"s\" = \"spaced\"  ", "s", 1, Sz("spaced"), false},
        {"\"w\"=\"a\\nb\\r\"", "w", 1, {'a', '\n', 'b', '\r', 0}, false},
        {"\"a\\qb\"=\"a\\qb\\[\" ;\"", "aqb", 1, Sz("aqb["), false},
        {"\"s\"=\"1\"\t; \"quoted\" note", "s", 1, Sz("1"), false},
        {"\"x\"=hex(2):41,42", "x", 2, {'A', 'B'}, false},
        {"\"t\"=hex():01", "t", 0, {1}, false},
        {"\"gone\"=-", "gone", 0, {}, true},
        {"@=-", "", 0, {}, true},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.line);
        for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
            std::string line = c.line;
            for (size_t at = line.find("\r\n"); at != std::string::npos;
                 at = line.find("\r\n", at)) {
                line.replace(at, 2, lineEnd);
                at += 1;
            }
            std::string text = std::string("REGEDIT4") + lineEnd + lineEnd + "[" + kKey + "]" +
                               lineEnd + line + lineEnd;
            Document document;
            ParseError error;
            ASSERT_TRUE(Parse(text, &document, &error)) << error.line << ": " << error.reason;
            ASSERT_EQ(document.keys.size(), 1u);
            ASSERT_EQ(document.keys[0].values.size(), 1u);
            const vx::regfile::Value& value = document.keys[0].values[0];
            EXPECT_EQ(value.name, c.name);
            EXPECT_EQ(value.deleted, c.deleted);
            if (!c.deleted) {
                EXPECT_EQ(value.type, c.type);
                EXPECT_EQ(value.data, c.data);
            }
        }
    }
}

TEST(RegFileParseTest, KeysCommentsAndOrder) {
    const std::string text =
        "REGEDIT4\r\n"
        "; a comment\r\n"
        "\r\n"
        "[HKLM\\Software\\One]\r\n"
        "  ; indented comment\r\n"
        "\"x\"=\"1\"\r\n"
        "\t\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Two]\r\n"
        "[hkey_current_user\\Three\\]\r\n"
        "\"y\"=\"2\"\r\n"
        "\"x\"=\"3\"\r\n"
        "[HKEY_LOCAL_MACHINE]\r\n";
    Document document;
    ParseError error;
    ASSERT_TRUE(Parse(text, &document, &error)) << error.line << ": " << error.reason;
    ASSERT_EQ(document.keys.size(), 4u);
    EXPECT_EQ(document.keys[0].path, "HKEY_LOCAL_MACHINE\\Software\\One");
    EXPECT_EQ(document.keys[1].path, "HKEY_LOCAL_MACHINE\\Software\\Two");
    EXPECT_TRUE(document.keys[1].deleted);
    EXPECT_EQ(document.keys[2].path, "HKEY_CURRENT_USER\\Three");
    ASSERT_EQ(document.keys[2].values.size(), 2u);
    EXPECT_EQ(document.keys[2].values[1].name, "x");
    EXPECT_EQ(document.keys[3].path, "HKEY_LOCAL_MACHINE");
}

struct BadCase {
    std::string text;
    int line;
    const char* reason;  // a part of the reason given
};

TEST(RegFileParseTest, FilesRegeditWouldNotImportAreRefusedWithTheLine) {
    const BadCase cases[] = {
        {"", 1, "header"},
        {"REGEDIT5\r\n", 1, "header"},
        {"REGEDIT\r\n[HKLM\\X]\r\n", 1, "header"},
        {"\r\nREGEDIT4\r\n", 1, "header"},
        {"REGEDIT4\r\n[HKLM\\X]\r\n[-HKEY_NOWHERE\\X]\r\n", 3, "unknown root"},
        {"REGEDIT4\r\n[-HKEY_CURRENT_USER\\]\r\n", 2, "root key"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        Document document;
        document.keys.push_back({"untouched", false, {}});
        ParseError error;
        EXPECT_FALSE(Parse(c.text, &document, &error));
        EXPECT_EQ(error.line, c.line) << error.reason;
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << error.reason;
        ASSERT_EQ(document.keys.size(), 1u);
        EXPECT_EQ(document.keys[0].path, "untouched");
    }
}

// Each text is a key whose value "ok" follows the lines to be skipped; the
// skipped lines are listed by number, and no value is half-read.
TEST(RegFileParseTest, LinesRegeditPassesOverAreSkippedAndListed) {
    const std::string head = "  REGEDIT4\r\n\r\n[HKLM\\Software\\Test]\r\n";  // lines from 4
    const std::string ok = "\"ok\"=\"1\"\r\n";
    const std::vector<std::pair<std::string, std::vector<int>>> cases = {
        {"hello\r\n", {4}},
        {"#not a comment\r\n", {4}},
        {"\"a\"=\"b\r\n", {4}},
        {"\"a\"=\"b\" x\r\n", {4}},
        {"\"a\"=\"b\\0c\"\r\n", {4}},
        {"\"a\"=\"b\\\r\n", {4}},
        {"\"a\" \"b\"\r\n", {4}},
        {"\"a\r\n", {4}},
        {"@x=\"b\"\r\n", {4}},
        {"\"a\"=dword:123456789\r\n", {4}},
        {"\"a\"=dword:\r\n", {4}},
        {"\"a\"=dword:12 34\r\n", {4}},
        {"\"a\"=dword:0x10\r\n", {4}},
        {"\"a\"=DWORD:10\r\n", {4}},
        {"\"a\"=Hex:10\r\n", {4}},
        {"\"a\"=hex:1g\r\n", {4}},
        {"\"a\"=hex:100\r\n", {4}},
        {"\"a\"=hex:01 ,02\r\n", {4}},
        {"\"a\"=hex:01,,02\r\n", {4}},
        {"\"a\"=hex:01,02\\\r\n", {4}},
        {"\"a\"=hex:01,\\ x\r\n", {4}},
        {"\"a\"=hex(zz):00\r\n", {4}},
        {"\"a\"=hex(0x2):00\r\n", {4}},
        {"\"a\"=hex(2)00\r\n", {4}},
        {"\"a\"=str:x\r\n", {4}},
        {"\"a\"=\r\n", {4}},
        {"\"a\"=- x\r\n", {4}},
        // A list of bytes announced and not continued: the value and the
        // line that broke it both go.
        {"\"a\"=hex:01,\\\r\n  02,\\\r\n\"b\"=\"lost\"\r\n", {4, 6}},
        {"\"a\"=hex:01,\\\r\n  zz\r\n", {4, 5}},
        // Key lines that open no key: values after them go nowhere, or,
        // where regedit does not read the line at all, to the key before.
        {"[ HKLM\\Other]\r\n", {4}},
        {"[HKLM\\Other\r\n", {4}},
    };
    for (const auto& [lines, skipped] : cases) {
        SCOPED_TRACE(lines);
        Document document;
        ParseError error;
        ASSERT_TRUE(Parse(head + lines + ok, &document, &error)) << error.line << error.reason;
        ASSERT_EQ(document.keys.size(), 1u);
        ASSERT_EQ(document.keys[0].values.size(), 1u);
        EXPECT_EQ(document.keys[0].values[0].name, "ok");
        std::vector<int> numbers;
        for (const ParseError& s : document.skipped) numbers.push_back(s.line);
        EXPECT_EQ(numbers, skipped);
    }

    const std::vector<std::pair<std::string, int>> nowhere = {
        {"[HKEY_NOWHERE\\X]\r\n", 5},
        {"[\\Software]\r\n", 5},
        {"[-HKLM\\Software\\Test\\Sub]\r\n", 5},
        {"[-Software]\r\n", 5},
    };
    for (const auto& [lines, valueLine] : nowhere) {
        SCOPED_TRACE(lines);
        Document document;
        ParseError error;
        ASSERT_TRUE(Parse(head + lines + ok, &document, &error)) << error.line << error.reason;
        for (const vx::regfile::Key& key : document.keys) EXPECT_TRUE(key.values.empty());
        ASSERT_FALSE(document.skipped.empty());
        EXPECT_EQ(document.skipped.back().line, valueLine);
        EXPECT_NE(document.skipped.back().reason.find("outside a key"), std::string::npos);
    }
}

TEST(RegFileParseTest, KeyLinesAsRegeditReadsThem) {
    const std::string text =
        "REGEDIT4\r"
        "[HKEY_CURRENT_USER\\A\\\\B\\]  ; note]x\r"
        "\"v\"=\"1\"\r"
        "[HKEY_CURRENT_USER\\C]]\r\n"
        "\"w\"=hex:01,\\\r\n"
        "  02,\\";
    Document document;
    ParseError error;
    ASSERT_TRUE(Parse(text, &document, &error)) << error.line << ": " << error.reason;
    EXPECT_TRUE(document.skipped.empty());
    ASSERT_EQ(document.keys.size(), 2u);
    EXPECT_EQ(document.keys[0].path, "HKEY_CURRENT_USER\\A\\B\\]  ; note");
    EXPECT_EQ(document.keys[0].line, 2);
    EXPECT_EQ(document.keys[1].path, "HKEY_CURRENT_USER\\C]");
    ASSERT_EQ(document.keys[1].values.size(), 1u);
    const vx::regfile::Value& w = document.keys[1].values[0];
    EXPECT_EQ(w.data, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(w.firstLine, 5);
    EXPECT_EQ(w.lastLine, 6);
}

// A version 5 export as regedit writes it: UTF-16LE, and the text values
// in hex form in UTF-16LE too.
const char16_t kVersion5Text[] =
    u"Windows Registry Editor Version 5.00\r\n"
    u"\r\n"
    u"[HKEY_LOCAL_MACHINE\\Software\\Caf\u00e9]\r\n"
    u"\"Name\"=\"Caf\u00e9 \u20ac\"\r\n"
    u"\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
    u"\"List\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n"
    u"\"Bin\"=hex:00,01\r\n"
    u"\"Count\"=dword:00000010\r\n";

void ExpectVersion5Document(const Document& document) {
    ASSERT_EQ(document.keys.size(), 1u);
    const vx::regfile::Key& key = document.keys[0];
    EXPECT_EQ(key.path, "HKEY_LOCAL_MACHINE\\Software\\Caf\xE9");
    ASSERT_EQ(key.values.size(), 5u);
    EXPECT_EQ(key.values[0].data, Sz("Caf\xE9 \x80"));
    EXPECT_EQ(key.values[1].data, Sz("%A%"));
    EXPECT_EQ(key.values[2].data, (std::vector<uint8_t>{'a', 0, 0xE9, 0, 0}));
    EXPECT_EQ(key.values[3].data, (std::vector<uint8_t>{0, 1}));
    EXPECT_EQ(key.values[4].data, (std::vector<uint8_t>{0x10, 0, 0, 0}));
}

TEST(RegFileParseTest, Version5ExportsInUtf16AndUtf8) {
    std::string utf8 =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Caf\xC3\xA9]\r\n"
        "\"Name\"=\"Caf\xC3\xA9 \xE2\x82\xAC\"\r\n"
        "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
        "\"List\"=hex(7):61,00,00,00,e9,00,00,00,00,00\r\n"
        "\"Bin\"=hex:00,01\r\n"
        "\"Count\"=dword:00000010\r\n";
    for (const std::string& text : {Utf16File(kVersion5Text), utf8, "\xEF\xBB\xBF" + utf8}) {
        Document document;
        ParseError error;
        ASSERT_TRUE(Parse(text, &document, &error)) << error.line << ": " << error.reason;
        ExpectVersion5Document(document);
    }
}

TEST(RegFileParseTest, UnicodeWithoutSingleByteFormIsRefused) {
    const BadCase cases[] = {
        {Utf16File(
             u"Windows Registry Editor Version 5.00\r\n\r\n[HKLM\\A]\r\n\"x\"=\"\u4e2d\"\r\n"),
         4, "U+4E2D"},
        {Utf16File(u"Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"x\"=\"\xd800\"\r\n"), 3,
         "surrogate"},
        {Utf16File(u"Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n"
                   u"\"x\"=hex(1):41,00,\\\r\n  2d,4e,00,00\r\n"),
         3, "U+4E2D"},
        {Utf16File(u"REGEDIT4\r\n").substr(0, 9), 1, "middle of a character"},
        {"Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"x\"=\"\xC3\"\r\n", 3, "UTF-8"},
        {"\xFE\xFFW", 1, "big-endian"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.reason);
        Document document;
        ParseError error;
        EXPECT_FALSE(Parse(c.text, &document, &error));
        EXPECT_EQ(error.line, c.line) << error.reason;
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << error.reason;
        EXPECT_TRUE(document.keys.empty());
    }
}

TEST(RegFileParseTest, Version5HexTextOfOddLengthStaysAsItIs) {
    Document document;
    ParseError error;
    ASSERT_TRUE(
        Parse("Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n\"x\"=hex(1):41,42,43\r\n",
              &document, &error));
    EXPECT_EQ(document.keys[0].values[0].data, Bytes("ABC"));
}

}  // namespace
}  // namespace vxtest
