// preview: the page's controls as the page creates them, in JSON, as a
// table and as pictures, without any file changing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

using Json = nlohmann::json;

struct Expected {
    int id;
    const char* kind;
    const char* entry;
    std::array<int, 4> rect;
    const char* style;
    bool checked;
};

void ExpectControls(const Json& controls, const std::vector<Expected>& expected) {
    ASSERT_EQ(controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Json& c = controls[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.entry);
        EXPECT_EQ(c["id"], e.id);
        EXPECT_EQ(c["kind"], e.kind);
        EXPECT_EQ(c["entry"], e.entry);
        EXPECT_EQ(c["rect"].get<std::vector<int>>(),
                  std::vector<int>(e.rect.begin(), e.rect.end()));
        EXPECT_EQ(c["style"], e.style);
        if (std::string(e.kind) != "Group") {
            EXPECT_EQ(c["checked"], e.checked);
        }
    }
}

Result Preview(Scratch& s, const std::string& reg, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"preview", "--registry", reg, "--windir", "."};
    args.insert(args.end(), more.begin(), more.end());
    return s.Run(args);
}

// The worked example of the page's layout: one column, the member whose
// order is beyond its group's pruned, the ids matching the list positions.
TEST(Preview, WorkedExampleInOneColumn) {
    Scratch s;
    s.CopyTestData("example.reg");
    s.CopyTestData("example.ini");
    Result r = Preview(s, "example.reg", {"--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Json j = Json::parse(r.out);
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["metrics"]["groupBoxWidth"], 352);
    EXPECT_EQ(j["metrics"]["columnWidth"], 159);
    EXPECT_EQ(j["metrics"]["secondColumnX"], 195);
    EXPECT_EQ(j["metrics"]["availableHeight"], 270);
    EXPECT_EQ(j["metrics"]["columns"], 1);
    ExpectControls(j["controls"],
                   {
                       {2001, "Check", "Check1_1", {20, 72, 338, 87}, "0x50030003", true},
                       {2002, "Check", "Check1_2", {20, 94, 338, 109}, "0x50000003", false},
                       {2003, "Group", "Group1_2", {11, 50, 363, 119}, "0x50000007", false},
                       {2004, "Radio", "Radio2_1", {20, 149, 338, 164}, "0x50030009", true},
                       {2005, "Radio", "Radio2_2", {20, 171, 338, 186}, "0x50000009", false},
                       {2006, "Group", "Group2_2", {11, 127, 363, 196}, "0x50000007", false},
                   });
    ASSERT_EQ(j["removed"].size(), 1u);
    EXPECT_EQ(j["removed"][0]["name"], "Check1_3");
    EXPECT_EQ(j["removed"][0]["reason"], "pruned");
    EXPECT_EQ(j["removed"][0]["by"], "Group1_2");
    // Every check box and radio button has the id 2000 plus its position.
    for (const Json& c : j["controls"]) {
        if (c["kind"] != "Group") {
            EXPECT_EQ(c["id"].get<int>() - 2000, c["position"].get<int>());
        }
    }
}

TEST(Preview, SampleInTwoColumnsWithTemplateControls) {
    Scratch s;
    s.CopySample("driver.reg");
    s.CopySample("vexaro.ini");
    Result r = Preview(s, "driver.reg", {"--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Json j = Json::parse(r.out);
    EXPECT_EQ(j["metrics"]["columns"], 2);
    EXPECT_EQ(j["page"]["width"], 374);
    EXPECT_EQ(j["page"]["height"], 362);
    ASSERT_EQ(j["template"].size(), 3u);
    EXPECT_EQ(j["template"][1]["id"], 1005);
    EXPECT_EQ(j["template"][1]["caption"], "&Reset");
    EXPECT_EQ(j["template"][1]["rect"].get<std::vector<int>>(),
              (std::vector<int>{288, 328, 363, 351}));
    const Json& c = j["controls"];
    ASSERT_EQ(c.size(), 15u);
    ExpectControls(Json::array({c[0], c[1], c[4], c[5], c[6], c[14]}),
                   {
                       {2001, "Check", "Check1_1", {20, 72, 179, 87}, "0x50030003", true},
                       {2002, "Check", "Check1_2", {195, 72, 354, 87}, "0x50000003", true},
                       {2005, "Group", "Group1_5", {11, 50, 363, 119}, "0x50000007", false},
                       {2006, "Radio", "Radio2_1", {20, 149, 179, 164}, "0x50030009", false},
                       {2007, "Radio", "Radio2_2", {195, 149, 354, 164}, "0x50000009", true},
                       {2015, "Group", "Group4_2", {11, 259, 363, 306}, "0x50000007", false},
                   });
    EXPECT_EQ(j["pendingAction"], "Dynamic");
}

TEST(Preview, TableNamesEveryControl) {
    Scratch s;
    s.CopyTestData("example.reg");
    s.CopyTestData("example.ini");
    Result r = Preview(s, "example.reg");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(
        r.out.find("2001  Check      20,72,338,87        0x50030003 on    Check1_1  Fast fill"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("(removed) Check1_3: pruned from group Group1_2"), std::string::npos);
    EXPECT_NE(r.out.find("one column"), std::string::npos);
}

// Showing the page deletes the pruned entry's data, but only in memory.
TEST(Preview, ChangesNoFile) {
    Scratch s;
    s.CopyTestData("example.reg");
    s.CopyTestData("example.ini");
    Result r = Preview(s, "example.reg", {"--png", "page.png"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("example.reg"), ReadFile(std::string(VEXARO_TEST_DATA) + "/example.reg"));
    EXPECT_EQ(s.Read("example.ini"), ReadFile(std::string(VEXARO_TEST_DATA) + "/example.ini"));
}

TEST(Preview, DrawsPngAndSvg) {
    Scratch s;
    s.CopySample("driver.reg");
    s.CopySample("vexaro.ini");
    ASSERT_EQ(Preview(s, "driver.reg", {"--png", "page.png"}).exitCode, 0);
    ASSERT_EQ(Preview(s, "driver.reg", {"--svg", "page.svg"}).exitCode, 0);
    std::string png = s.Read("page.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // Width and height in the header, big-endian.
    auto be32 = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 374);
    EXPECT_EQ(be32(20), 362);
    std::string svg = s.Read("page.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("width=\"374"), std::string::npos);
}

TEST(Preview, PictureThatCannotBeWrittenIsAnError) {
    Scratch s;
    s.CopySample("driver.reg");
    s.CopySample("vexaro.ini");
    Result r = Preview(s, "driver.reg", {"--png", "no/such/folder/page.png"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("vexaro: cannot write no/such/folder/page.png"), std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace vexarotest
