// Driver data in code page 1252, with control characters in its captions:
// every output shows it as UTF-8, the table and the report with the
// controls escaped, JSON with each name's bytes beside it, and the pictures
// draw it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "AnsiText.h"
#include "ToolRunner.h"

namespace vexarotest {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// No byte that a terminal would act on: only line feeds below 0x20, no DEL,
// no C1 control in its UTF-8 form.
bool Clean(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n') || c == 0x7F) return false;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            return false;
    }
    return true;
}

struct AnsiData : Scratch {
    AnsiData() {
        CopyTestData("ansi.reg");
        CopyTestData("example.ini");
    }
    Result Do(std::vector<std::string> args) const {
        args.insert(args.begin() + 1, {"--registry", "ansi.reg", "--windir", "."});
        return Run(args);
    }
};

TEST(Text, TableShowsUtf8AndEscapesControls) {
    AnsiData s;
    Result r = s.Do({"preview"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Gammakorrektur für Größe €")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Rot\\x1B[31m\\r\\nFake\\x07\\x81")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Check1_2Größe Schärfe")) << r.out;
    EXPECT_TRUE(Clean(r.out)) << r.out;
}

TEST(Text, JsonIsValidUtf8WithTheNamesBytes) {
    AnsiData s;
    Result r = s.Do({"preview", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    bool found = false;
    for (const auto& e : j["entries"]) {
        if (e["name"] != "Check1_2Größe") continue;
        found = true;
        EXPECT_EQ(e["nameBytes"], "436865636b315f324772f6df65");
        EXPECT_EQ(e["caption"], "Schärfe");
    }
    EXPECT_TRUE(found) << r.out;
    for (const auto& c : j["controls"]) {
        if (c["entry"] == "Check1_1") {
            EXPECT_EQ(c["caption"], "Rot\x1b[31m\r\nFake\x07\u0081");
        }
    }
    EXPECT_TRUE(Clean(r.out)) << r.out;  // the controls travel as JSON escapes, C1 ones too

    Result check = s.Do({"check", "--json", "--strict"});  // warnings only
    ASSERT_EQ(check.exitCode, 1) << check.err;
    const nlohmann::json findings = nlohmann::json::parse(check.out)["findings"];
    bool action = false;
    for (const auto& f : findings) {
        if (f["code"] != "action-text") continue;
        action = true;
        EXPECT_EQ(f["entry"], "Check1_2Größe");
        EXPECT_EQ(f["entryBytes"], "436865636b315f324772f6df65");
        EXPECT_TRUE(Contains(f["message"].get<std::string>(), "\"Möde\"")) << f;
    }
    EXPECT_TRUE(action) << check.out;
}

TEST(Text, PicturesDrawIt) {
    AnsiData s;
    Result svg = s.Do({"preview", "--svg", "page.svg"});
    EXPECT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_TRUE(Contains(s.Read("page.svg"), "</svg>"));
    Result png = s.Do({"preview", "--png", "page.png"});
    EXPECT_EQ(png.exitCode, 0) << png.err;
    EXPECT_EQ(s.Read("page.png").compare(0, 4, "\x89PNG"), 0);
}

// A picture that cannot be written leaves nothing behind.
TEST(Text, FailedPictureLeavesNoFile) {
    AnsiData s;
    Result r = s.Do({"preview", "--svg", "missing/page.svg"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("vexaro: cannot ", 0), 0u) << r.err;
    Result again = s.Do({"preview", "--svg", "."});
    EXPECT_EQ(again.exitCode, 2);
}

// The name typed in UTF-8 finds the entry; the report shows it in UTF-8.
TEST(Text, ApplyTakesAndShowsUtf8Names) {
    AnsiData s;
    Result r = s.Do({"apply", "check1_2größe=on"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Set: Check1_2Größe=on")) << r.out;
    EXPECT_TRUE(Clean(r.out)) << r.out;
}

TEST(Text, Conversions) {
    using vexaro::Shown;
    EXPECT_EQ(Shown("a\x01\x7f\x81\x9d\x80\x9f\xa0\xff"), "a\\x01\\x7F\\x81\\x9D€Ÿ\u00a0ÿ");
    EXPECT_EQ(vexaro::Utf8("\x81\x8d"), "\u0081\u008d");  // kept, for JSON
    EXPECT_EQ(vexaro::AnsiFromArgument("Größe€"),
              "Gr\xf6\xdf"
              "e\x80");
    EXPECT_EQ(vexaro::AnsiFromArgument("Gr\xf6\xdf"
                                       "e"),
              "Gr\xf6\xdf"
              "e");                                                       // not UTF-8
    EXPECT_EQ(vexaro::AnsiFromArgument("\xe2\x88\x9e"), "\xe2\x88\x9e");  // no 1252 form
    // DEL and C1 controls that a JSON writer leaves raw; U+00A0 is no control.
    EXPECT_EQ(vexaro::EscapeJsonControls("\"a\x7f\xc2\x9f\xc2\xa0\""),
              "\"a\\u007f\\u009f\xc2\xa0\"");
    // Host paths in UTF-8 beside registry bytes.
    EXPECT_EQ(vexaro::Printable("/tmp/Größe/x \xfc\r"), "/tmp/Größe/x ü\\r");
}

}  // namespace
}  // namespace vexarotest
