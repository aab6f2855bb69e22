// Writing REGEDIT4 text: regedit's own form, and a round trip through Parse
// for every kind of data.
#include <gtest/gtest.h>

#include <algorithm>

#include "RegFileTestUtil.h"
#include "support/TestPlatform.h"

namespace vxtest {
namespace {

using vx::regfile::Document;
using vx::regfile::Parse;
using vx::regfile::ParseError;
using vx::regfile::Write;

std::vector<uint8_t> Counting(size_t count) {
    std::vector<uint8_t> data(count);
    for (size_t i = 0; i < count; ++i) data[i] = static_cast<uint8_t>(i);
    return data;
}

// A document of one key (not deleted) with these values.
Document OneKey(const std::string& path, std::vector<vx::regfile::Value> values) {
    Document document;
    document.keys.push_back({path, false, std::move(values)});
    return document;
}

TEST(RegFileWriteTest, WritesRegeditsForm) {
    Document document =
        OneKey("HKEY_LOCAL_MACHINE\\Software\\Test", {MakeValue("", 1, Sz("dflt")),
                                                      MakeValue("Say \"hi\"", 1, Sz("C:\\x")),
                                                      MakeValue("n", 4, {0x1f, 0, 0, 0x80}),
                                                      MakeValue("b", 3, {0, 0xab}),
                                                      MakeValue("e", 2, Sz("%A%")),
                                                      {"gone", 0, {}, true}});
    document.keys.push_back({"HKEY_LOCAL_MACHINE\\Software\\Old", true, {}});
    EXPECT_EQ(Write(document),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Test]\r\n"
              "@=\"dflt\"\r\n"
              "\"Say \\\"hi\\\"\"=\"C:\\\\x\"\r\n"
              "\"n\"=dword:8000001f\r\n"
              "\"b\"=hex:00,ab\r\n"
              "\"e\"=hex(2):25,41,25,00\r\n"
              "\"gone\"=-\r\n"
              "\r\n"
              "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"
              "\r\n");
}

TEST(RegFileWriteTest, LongHexWrapsLikeRegedit) {
    const Document document = OneKey("HKEY_LOCAL_MACHINE\\A", {MakeValue("b", 3, Counting(60))});
    const std::string text = Write(document);
    // "b"=hex: takes 8 columns; each line ends at the comma that reaches column 77.
    EXPECT_NE(text.find("\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,"
                        "15,16,\\\r\n"
                        "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,"
                        "2f,\\\r\n"
                        "  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n"),
              std::string::npos)
        << text;
}

TEST(RegFileWriteTest, TextThatIsNotPlainGoesAsHex) {
    const struct {
        std::vector<uint8_t> data;
        const char* line;
    } cases[] = {
        {Bytes("abc"), "\"v\"=hex(1):61,62,63"},             // no terminating zero
        {{'a', '\r', '\n', 0}, "\"v\"=hex(1):61,0d,0a,00"},  // line end inside
        {{'a', 0, 'b', 0}, "\"v\"=hex(1):61,00,62,00"},      // zero inside
        {{}, "\"v\"=hex(1):"},                               // no data at all
        {Sz("caf\xE9\x7F"), "\"v\"=\"caf\xE9\x7F\""},        // plain single-byte text
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const Document document = OneKey("HKEY_LOCAL_MACHINE\\A", {MakeValue("v", 1, c.data)});
        EXPECT_NE(Write(document).find(std::string("\r\n") + c.line + "\r\n"), std::string::npos);
    }
}

TEST(RegFileWriteTest, ParseReadsBackWhatWasWritten) {
    Document document = OneKey("HKEY_LOCAL_MACHINE\\Software\\Round [trip]",
                               {MakeValue("", 1, Sz("default")),
                                MakeValue("quote\"back\\slash", 1, Sz("\"\\\\\"")),
                                MakeValue("line\r\nend", 1, Sz("x")),
                                MakeValue(std::string("ze\0ro", 5), 1, Sz("z")),
                                MakeValue("high", 1, Sz("\x80\xE9\xFF")),
                                MakeValue("empty", 1, Sz("")),
                                MakeValue("unterminated", 1, Bytes("abc")),
                                MakeValue("controls", 1, {'\t', 1, 0, 0}),
                                MakeValue("dword", 4, {1, 2, 3, 4}),
                                MakeValue("short dword", 4, {1, 2, 3}),
                                MakeValue("binary", 3, Counting(300)),
                                MakeValue("nothing", 3, {}),
                                MakeValue("none", 0, {0}),
                                MakeValue("multi", 7, {'a', 0, 'b', 0, 0}),
                                MakeValue("qword", 11, Counting(8)),
                                MakeValue("big type", 0x12345678, {1}),
                                {"deleted", 0, {}, true}});
    document.keys.push_back({"HKEY_CURRENT_USER\\Other", true, {}});
    document.keys.push_back({"HKEY_LOCAL_MACHINE", false, {}});
    const std::string text = Write(document);
    Document back;
    ParseError error;
    ASSERT_TRUE(Parse(text, &back, &error)) << error.line << ": " << error.reason << "\n" << text;
    EXPECT_TRUE(SameDocument(document, back));
    EXPECT_EQ(Write(back), text);

    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
        start = end + 2;
    }
}

// data/written.reg is Write's text of values of every kind; Wine's regedit
// imported it and exported the key again as data/wine-export.reg (version 5,
// UTF-16LE, values sorted by name). Both must read to the same values.
TEST(RegFileWriteTest, WineImportsWhatWasWrittenAndItsExportReadsBack) {
    const std::string written = SourceFile("tests/platform/host/data/written.reg");
    Document ours;
    Document wine;
    ParseError error;
    ASSERT_TRUE(Parse(written, &ours, &error)) << error.line << ": " << error.reason;
    EXPECT_EQ(Write(ours), written);
    ASSERT_TRUE(Parse(SourceFile("tests/platform/host/data/wine-export.reg"), &wine, &error))
        << error.line << ": " << error.reason;
    ASSERT_EQ(ours.keys.size(), 2u);
    for (Document* document : {&ours, &wine}) {
        for (vx::regfile::Key& key : document->keys) {
            std::sort(key.values.begin(), key.values.end(),
                      [](const auto& a, const auto& b) { return a.name < b.name; });
        }
    }
    EXPECT_TRUE(SameDocument(ours, wine));
}

}  // namespace
}  // namespace vxtest
