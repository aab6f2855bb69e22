// preview: the page's controls as the page creates them, in JSON, as a
// table and as pictures, without any file changing.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "DialogFont.h"
#include "ToolRunner.h"
#include "support/WorkedExample.h"

namespace vexarotest {
namespace {

using Json = nlohmann::json;
namespace fs = std::filesystem;

struct Expected {
    int id;
    const char* kind;
    const char* entry;
    std::array<int, 4> rect;
    std::string style;
    bool checked;
};

// The worked example's controls in one column, as the page's tests expect them.
std::vector<Expected> WorkedExample() {
    std::vector<Expected> rows;
    for (const vxtest::ExampleControl& c : vxtest::kExampleControls) {
        char style[16];
        std::snprintf(style, sizeof style, "0x%08X", static_cast<unsigned>(c.style));
        const char* kind = c.entry[0] == 'C' ? "Check" : c.entry[0] == 'R' ? "Radio" : "Group";
        const vxtest::ExampleBox& b = c.oneColumn;
        rows.push_back({c.id, kind, c.entry, {b.left, b.top, b.right, b.bottom}, style, c.checked});
    }
    return rows;
}

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

// What preview --json prints for a run that goes well.
Json PreviewJson(Scratch& s, const std::string& reg) {
    Result r = Preview(s, reg, {"--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return Json::parse(r.out);
}

// The worked example of the page's layout: one column, the member whose
// order is beyond its group's pruned, the ids matching the list positions.
TEST(Preview, WorkedExampleInOneColumn) {
    Scratch s;
    s.CopyExample();
    Json j = PreviewJson(s, "example.reg");
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["metrics"]["groupBoxWidth"], 352);
    EXPECT_EQ(j["metrics"]["columnWidth"], 159);
    EXPECT_EQ(j["metrics"]["secondColumnX"], 195);
    EXPECT_EQ(j["metrics"]["availableHeight"], 270);
    EXPECT_EQ(j["metrics"]["columns"], 1);
    ExpectControls(j["controls"], WorkedExample());
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
    s.CopySampleDriver();
    Json j = PreviewJson(s, "driver.reg");
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
    s.CopyExample();
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
    s.CopyExample();
    Result r = Preview(s, "example.reg", {"--png", "page.png"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ExpectUnchanged(s, {"example.reg", "example.ini"});
}

TEST(Preview, DrawsPngAndSvg) {
    Scratch s;
    s.CopySampleDriver();
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
    struct Case {
        const char* target;
        const char* message;
    };
    const Case cases[] = {
        {"no/such/folder/page.png",
         "vexaro: cannot write no/such/folder/page.png: No such file or directory\n"},
        {"sub", "vexaro: cannot write sub: Is a directory\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        Scratch s;
        s.CopySampleDriver();
        fs::create_directory(s.Path("sub"));
        Result r = Preview(s, "driver.reg", {"--png", c.target});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, c.message);
    }
}

// A picture replaces its file whole, keeping the file's mode; through a
// symbolic link it replaces the link's target.
TEST(Preview, PictureReplacesItsFileKeepingItsMode) {
    Scratch s;
    s.CopySampleDriver();
    s.Write("page.svg", "old");
    ASSERT_EQ(chmod(s.Path("page.svg").c_str(), 0640), 0);
    s.Write("target.png", "old");
    fs::create_symlink("target.png", s.Path("link.png"));
    ASSERT_EQ(Preview(s, "driver.reg", {"--svg", "page.svg", "--png", "link.png"}).exitCode, 0);
    struct stat info;
    ASSERT_EQ(stat(s.Path("page.svg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_NE(s.Read("page.svg").find("<svg"), std::string::npos);
    EXPECT_TRUE(fs::is_symlink(s.Path("link.png")));
    EXPECT_EQ(s.Read("target.png").substr(1, 3), "PNG");
    // No temporary file is left beside them.
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(s.Dir())) files += entry.exists();
    EXPECT_EQ(files, 5u);
}

// A device or a pipe is written in place, as a shell redirection writes it:
// it stays what it is, and no temporary file takes its name (as root a
// replacement could turn /dev/null into a plain file).
TEST(Preview, PictureIntoADeviceOrAPipeIsWrittenInPlace) {
    Scratch s;
    s.CopySampleDriver();
    ASSERT_EQ(mkfifo(s.Path("pipe").c_str(), 0644), 0);
    // The reader takes what comes through the pipe into a file.
    Result piped = s.Run({"preview", "--registry", "driver.reg", "--windir", ".", "--png", "pipe"},
                         "{ cat pipe > got & } ; ");
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    struct stat info;
    ASSERT_EQ(lstat(s.Path("pipe").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    for (int i = 0; i < 100 && s.Read("got").size() < 8; ++i) usleep(20000);
    EXPECT_EQ(s.Read("got").substr(0, 8), "\x89PNG\r\n\x1a\n");

    // A null device of its own, where this user may make one.
    if (mknod(s.Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "no device can be made here";
    }
    Result r = Preview(s, "driver.reg", {"--png", "null", "--svg", "null"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(lstat(s.Path("null").c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_EQ(info.st_rdev, makedev(1, 3));
    for (const auto& entry : fs::directory_iterator(s.Dir())) {
        EXPECT_EQ(entry.path().filename().string().find(".~"), std::string::npos) << entry.path();
    }
}

// "-" puts the picture on standard output, and nothing else goes there.
TEST(Preview, PictureOnStandardOutput) {
    Scratch s;
    s.CopySampleDriver();
    Result svg = Preview(s, "driver.reg", {"--svg", "-"});
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    EXPECT_EQ(svg.out.rfind("<?xml", 0), 0u);
    EXPECT_EQ(svg.out.find("Check1_1"), std::string::npos);  // no table
    Result png = Preview(s, "driver.reg", {"--png", "-"});
    ASSERT_EQ(png.exitCode, 0) << png.err;
    EXPECT_EQ(png.out.substr(0, 8), "\x89PNG\r\n\x1a\n");

    Result both = Preview(s, "driver.reg", {"--svg", "-", "--png", "-"});
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_EQ(both.err, "vexaro: --svg - and --png - cannot both write to standard output\n");
    Result json = Preview(s, "driver.reg", {"--png", "-", "--json"});
    EXPECT_EQ(json.exitCode, 2);
    EXPECT_EQ(json.err, "vexaro: --json and --png - cannot both write to standard output\n");
    // Both pictures to files, and the table.
    Result files = Preview(s, "driver.reg", {"--svg", "p.svg", "--png", "p.png"});
    ASSERT_EQ(files.exitCode, 0) << files.err;
    EXPECT_NE(files.out.find("Check1_1"), std::string::npos);
}

TEST(Preview, OutputThatCannotBeWrittenIsAnError) {
    for (std::vector<std::string> more : {std::vector<std::string>{}, {"--json"}, {"--svg", "-"}}) {
        SCOPED_TRACE(more.empty() ? "table" : more[0]);
        Scratch s;
        s.CopySampleDriver();
        std::vector<std::string> args = {"preview", "--registry", "driver.reg", "--windir", "."};
        args.insert(args.end(), more.begin(), more.end());
        Result r = s.RunRedirected(args, ">/dev/full");
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, "vexaro: cannot write to standard output: No space left on device\n");
    }
}

TEST(Preview, RegistryFromStandardInput) {
    Scratch s;
    s.CopySampleDriver();
    Result fromFile = Preview(s, "driver.reg");
    Result fromInput =
        s.RunRedirected({"preview", "--registry", "-", "--windir", "."}, "<driver.reg");
    ASSERT_EQ(fromInput.exitCode, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out, fromFile.out);
    s.Write("broken.reg", "REGEDIT4\r\n[-HKEY_LOCAL_MACHINE]\r\n");
    Result broken = s.RunRedirected({"preview", "--registry", "-", "--windir", "."}, "<broken.reg");
    EXPECT_EQ(broken.exitCode, 2);
    EXPECT_EQ(broken.err.rfind("vexaro: standard input:2: ", 0), 0u) << broken.err;
}

// The SVG keeps every caption line as text in the page's font, escaped for
// XML, and draws no glyph outlines.
TEST(Preview, SvgKeepsCaptionsAsText) {
    Scratch s;
    s.CopySampleDriver();
    std::string reg = s.Read("driver.reg");
    const std::string from = "\"Check1_1\"=\"Fast text drawing\"";
    ASSERT_NE(reg.find(from), std::string::npos);
    reg.replace(reg.find(from), from.size(), "\"Check1_1\"=\"R&&D <fast> \\\"text\\\"\"");
    s.Write("driver.reg", reg);
    ASSERT_EQ(Preview(s, "driver.reg", {"--svg", "page.svg"}).exitCode, 0);
    const std::string svg = s.Read("page.svg");
    EXPECT_NE(svg.find("font-family=\"'MS Sans Serif'"), std::string::npos);
    for (const char* text : {">R&amp;D &lt;fast&gt; \"text\"</text>", ">Reset</text>",
                             ">Hardware mouse pointer</text>", ">Acceleration</text>",
                             ">It is recommended that only advanced users and system</text>"}) {
        EXPECT_NE(svg.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(svg.find("glyph"), std::string::npos);
}

// The icon is resource 113 (a monitor with a teal screen), drawn at its
// own size where the icon control stands.
TEST(Preview, PngDrawsThePageIcon) {
    Scratch s;
    s.CopySampleDriver();
    ASSERT_EQ(Preview(s, "driver.reg", {"--png", "page.png"}).exitCode, 0);
    Json page = PreviewJson(s, "driver.reg");
    std::vector<int> rect;
    for (const Json& c : page["template"]) {
        if (c["id"] == 1018) rect = c["rect"].get<std::vector<int>>();
    }
    ASSERT_EQ(rect.size(), 4u);
    cairo_surface_t* image = cairo_image_surface_create_from_png(s.Path("page.png").c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    auto pixel = [&](int x, int y) {
        const unsigned char* data = cairo_image_surface_get_data(image);
        const int stride = cairo_image_surface_get_stride(image);
        return *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4) & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(rect[0], rect[1]), 0xC0C0C0u);            // transparent corner
    EXPECT_EQ(pixel(rect[0] + 7, rect[1] + 7), 0x008080u);    // the screen
    EXPECT_EQ(pixel(rect[0] + 2, rect[1] + 10), 0xFFFFFFu);   // the cabinet's lit edge
    EXPECT_EQ(pixel(rect[0] + 29, rect[1] + 10), 0x000000u);  // and its dark one
    cairo_surface_destroy(image);
}

// Captions are measured in a font with the metrics of 8-point MS Sans
// Serif: 13 pixels high, 11 above the baseline, and letters as wide as the
// page's dialog base unit of 6 says.
TEST(Preview, DialogFontHasTheMetricsOfTheDialogTemplatesFont) {
    const vexaro::DialogFont& font = vexaro::LoadDialogFont();
    if (font.file.empty()) GTEST_SKIP() << "Wine's MS Sans Serif is not installed";
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 10);
    cairo_t* cr = cairo_create(surface);
    vexaro::UseDialogFont(cr);
    cairo_font_extents_t font_extents;
    cairo_font_extents(cr, &font_extents);
    EXPECT_EQ(std::lround(font_extents.ascent), 11);
    EXPECT_EQ(std::lround(font_extents.ascent + font_extents.descent), 13);
    cairo_text_extents_t letters;
    cairo_text_extents(cr, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &letters);
    EXPECT_EQ((static_cast<int>(letters.x_advance) / 26 + 1) / 2, 6) << letters.x_advance;
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    vexaro::ReleaseDialogFont();
}

// Long names are clipped in the table so the columns stay in line.
TEST(Preview, TableClipsLongNames) {
    Scratch s;
    s.CopySampleDriver();
    std::string reg = s.Read("driver.reg");
    const std::string longName = "Check1_1" + std::string(40, 'x');
    for (size_t at = reg.find("Check1_1"); at != std::string::npos;
         at = reg.find("Check1_1", at + longName.size())) {
        reg.replace(at, 8, longName);
    }
    s.Write("driver.reg", reg);
    Result r = Preview(s, "driver.reg");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string clipped = "Check1_1" + std::string(15, 'x') + "\u2026 Fast text drawing\n";
    EXPECT_NE(r.out.find(clipped), std::string::npos) << r.out;
    // Every caption starts in the same column.
    const size_t column = r.out.find("Hardware mouse pointer") -
                          r.out.rfind('\n', r.out.find("Hardware mouse pointer")) - 1;
    EXPECT_EQ(column, 5u + 1 + 10 + 1 + 19 + 1 + 10 + 1 + 5 + 1 + 24 + 1);
    // JSON keeps the whole name.
    EXPECT_NE(Preview(s, "driver.reg", {"--json"}).out.find(longName), std::string::npos);
}

}  // namespace
}  // namespace vexarotest
