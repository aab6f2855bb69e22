// The tool's pieces in-process: the argument forms, the folding of INI
// writes, the mask rule of the data checks and the registry paths.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "ApplyReport.h"
#include "Assignment.h"
#include "Columns.h"
#include "Findings.h"
#include "IconImage.h"
#include "RecordingProfile.h"
#include "RecordingRegistry.h"
#include "StoredData.h"
#include "ToolRunner.h"
#include "platform/WinConstants.h"

namespace vexaro {
namespace {

TEST(Pieces, Assignments) {
    struct Case {
        const char* text;
        bool valid;
        const char* name;
        bool on;
    };
    const Case cases[] = {
        {"Check1_1=on", true, "Check1_1", true},
        {"Check1_1=OFF", true, "Check1_1", false},
        {"Odd=Name=On", true, "Odd=Name", true},
        {"Check1_1", false, "", false},
        {"=on", false, "", false},
        {"Check1_1=yes", false, "", false},
        {"Check1_1=", false, "", false},
    };
    for (const Case& c : cases) {
        std::vector<Assignment> out;
        std::string error;
        SCOPED_TRACE(c.text);
        ASSERT_EQ(ParseAssignments({c.text}, &out, &error), c.valid);
        if (!c.valid) {
            EXPECT_EQ(error, "\"" + std::string(c.text) + "\" is not NAME=on or NAME=off");
            continue;
        }
        ASSERT_EQ(out.size(), 1u);
        EXPECT_EQ(out[0].name, c.name);
        EXPECT_EQ(out[0].on, c.on);
    }
}

// Repeats are dropped and contradictions named, whatever the letter case,
// in time in proportion to the settings: 40,000 distinct names are checked
// at once (each compared with every earlier one, they took many seconds).
TEST(Pieces, ManySettingsAndTheirRepeats) {
    std::vector<std::string> texts;
    for (int i = 0; i < 40000; ++i) texts.push_back("Check1_" + std::to_string(i) + "=on");
    texts.push_back("CHECK1_7=ON");
    std::vector<Assignment> out;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ParseAssignments(texts, &out, &error)) << error;
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 2.0);
    EXPECT_EQ(out.size(), 40000u);
    texts.push_back("check1_39999=off");
    EXPECT_FALSE(ParseAssignments(texts, &out, &error));
    EXPECT_EQ(error, "Check1_39999 is asked to be both on and off");
}

// Stored entries are found by name without regard to letter case, the
// first of a name, also after the list has changed.
TEST(Pieces, StoredEntriesFoundByName) {
    StoredLayout stored;
    for (const char* name : {"Check1_1", "Radio2_1", "CHECK1_1"}) {
        StoredEntry e;
        e.name = name;
        stored.entries.push_back(e);
    }
    ASSERT_NE(stored.Find("check1_1"), nullptr);
    EXPECT_EQ(stored.Find("check1_1"), &stored.entries[0]);
    EXPECT_EQ(stored.Find("Radio2_2"), nullptr);
    stored.entries.erase(stored.entries.begin());
    ASSERT_NE(stored.Find("check1_1"), nullptr);
    EXPECT_EQ(stored.Find("check1_1")->name, "CHECK1_1");
    const StoredLayout copy = stored;
    EXPECT_EQ(copy.Find("RADIO2_1"), &copy.entries[0]);
}

TEST(Pieces, NamesCompareWithoutLetterCase) {
    PageSnapshot page;
    page.entries = {{0, "Group1_1", "Group", 1, 1, "G", 0, 2002},
                    {1, "Check1_1", "Check", 1, 1, "C", 1, 2001}};
    ControlView c;
    c.id = 2001;
    c.kind = "Check";
    c.entry = "Check1_1";
    c.position = 1;
    page.controls = {c};
    std::string error;
    const ControlView* found = FindControl(page, "CHECK1_1", &error);
    ASSERT_NE(found, nullptr) << error;
    EXPECT_EQ(found->id, 2001);
}

TEST(Pieces, WritesToOneKeyFoldIntoOneChange) {
    std::vector<IniWrite> writes = {
        {"vexaro.ini", "Refresh", "Rate", true, 2, "0", true, ""},
        {"VEXARO.INI", "refresh", "RATE", true, 0, "4", true, ""},
        {"vexaro.ini", "Colour", "Gamma", true, 1, "1", true, ""},
        {"vexaro.ini", "Colour", "New", false, 0, "0", true, ""},
    };
    std::vector<IniChange> changes = FoldWrites(writes);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].before, 2);
    EXPECT_EQ(changes[0].after, "4");
    EXPECT_TRUE(changes[0].changed);
    EXPECT_FALSE(changes[1].changed);  // written again with the same integer
    EXPECT_TRUE(changes[2].changed);   // a key that was not there
}

// A profile over a map, for the recording profile's view of what was there.
class MapProfile : public vx::IProfile {
  public:
    std::map<std::string, std::string> values;  // key -> text
    uint32_t GetInt(const char*, const char* key, int32_t def, const char*) override {
        auto it = values.find(key);
        return it == values.end() ? static_cast<uint32_t>(def)
                                  : static_cast<uint32_t>(std::stol(it->second));
    }
    int WriteString(const char*, const char* key, const char* value, const char*) override {
        values[key] = value;
        return 1;
    }
};

TEST(Pieces, RecordingProfileKeepsWhatWasThere) {
    MapProfile inner;
    inner.values["Old"] = "-5";
    RecordingProfile log(inner);
    log.WriteString("S", "Old", "3", "f.ini");
    log.WriteString("S", "New", "1", "f.ini");
    ASSERT_EQ(log.Writes().size(), 2u);
    EXPECT_TRUE(log.Writes()[0].existed);
    EXPECT_EQ(log.Writes()[0].before, -5);
    EXPECT_FALSE(log.Writes()[1].existed);
    EXPECT_EQ(inner.values["New"], "1");
}

// The mask is the first byte as stored; text and wide numbers are reported.
TEST(Pieces, MaskFindings) {
    struct Case {
        uint32_t type;
        std::vector<uint8_t> data;
        const char* code;  // empty: no finding
        const char* part;
    };
    const Case cases[] = {
        {vx::kRegSz,
         {'4', 0},
         "mask-text",
         "stored as text \"4\": the page uses its first "
         "character's code, 52 (0x00000034)"},
        {vx::kRegSz, {0}, "mask-text", "code, 0 (0x00000000)"},
        {vx::kRegBinary, {0x04}, "", ""},
        {vx::kRegBinary, {0xFB}, "", ""},
        {vx::kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}, "", ""},
        {vx::kRegDword,
         {0x04, 0x01, 0, 0},
         "mask-truncated",
         "dword 0x00000104 is used as 0x00000004"},
        {vx::kRegDword,
         {0x80, 0, 0, 0},
         "mask-truncated",
         "dword 0x00000080 is used as 0xFFFFFF80"},
    };
    for (const Case& c : cases) {
        StoredLayout stored;
        stored.layoutKey = true;
        StoredEntry e;
        e.name = "Check1_1";
        e.associationKey = true;
        for (const char* name : {"INIFile", "Section", "KeyString", "AndMask"}) {
            e.association[name] = {vx::kRegBinary, {0xFE}};
        }
        e.association["OrMask"] = {c.type, c.data};
        stored.entries = {e};
        PageSnapshot page;
        page.driverKeyPath = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";
        std::vector<Finding> found = FindProblems(stored, page);
        SCOPED_TRACE(c.code);
        if (*c.code == '\0') {
            EXPECT_TRUE(found.empty()) << found[0].message;
            continue;
        }
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].code, c.code);
        EXPECT_NE(found[0].message.find(c.part), std::string::npos) << found[0].message;
    }
}

TEST(Pieces, RegistryPaths) {
    EXPECT_TRUE(IsLayoutPath("System\\X\\0001\\Vexaro\\Layout"));
    EXPECT_TRUE(IsLayoutPath("\\vexaro\\LAYOUT"));
    EXPECT_FALSE(IsLayoutPath("System\\X\\0001\\Vexaro\\Layouts"));
    EXPECT_EQ(AssociationName("D\\Vexaro\\Association\\Check1_1"), "Check1_1");
    EXPECT_EQ(AssociationName("D\\VEXARO\\association\\Radio2_1"), "Radio2_1");
    EXPECT_EQ(AssociationName("D\\Vexaro\\Layout"), "");
}

TEST(Pieces, ColumnsClipWithAnEllipsis) {
    struct Case {
        std::string text;
        size_t width;
        std::string fitted;
    };
    const Case cases[] = {
        {"Check1_1", 9, "Check1_1 "},
        {"Check1_12", 9, "Check1_12"},                  // exactly the width: whole
        {"Check1_123", 9, "Check1_1\u2026"},            // one more: clipped
        {"Gr\u00f6\u00dfe_1", 7, "Gr\u00f6\u00dfe_1"},  // letters, not bytes
        {"Gr\u00f6\u00dfe_12", 7, "Gr\u00f6\u00dfe_\u2026"},
        {"\u00e4\u00e4\u00e4", 2, "\u00e4\u2026"},  // never half a letter
        {"", 3, "   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FitColumn(c.text, c.width), c.fitted);
        EXPECT_EQ(Columns(FitColumn(c.text, c.width)), c.width);
    }
}

TEST(Pieces, PageIcon) {
    const IconImage& icon = PageIcon();
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    EXPECT_EQ(icon.pixels[0], 0u);                      // transparent corner
    EXPECT_EQ(icon.pixels[7 * 32 + 7], 0xFF008080u);    // the screen, rows from the top
    EXPECT_EQ(icon.pixels[23 * 32 + 10], 0xFF000000u);  // the cabinet's bottom edge
    EXPECT_EQ(icon.pixels[31 * 32 + 31] >> 24, 0u);
}

// Whatever the bytes, decoding ends cleanly; cut or bent icons are refused.
TEST(Pieces, BrokenIconsAreRefused) {
    const std::string file = vexarotest::ReadFile(VEXARO_ICON);
    ASSERT_GT(file.size(), 62u);
    auto decode = [](const std::string& bytes) {
        IconImage image;
        return DecodeIcon(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image);
    };
    EXPECT_TRUE(decode(file));
    EXPECT_FALSE(decode(file.substr(0, file.size() - 1)));  // mask one byte short
    EXPECT_FALSE(decode(file.substr(0, 21)));
    std::string bits = file;
    bits[22 + 14] = 5;  // 5 bits per pixel
    EXPECT_FALSE(decode(bits));
    std::string huge = file;
    huge[22 + 4] = 0;  // width 32 -> 0x100000 ... as four bytes
    huge[22 + 6] = 0x10;
    EXPECT_FALSE(decode(huge));
    std::string offset = file;
    offset[18] = static_cast<char>(0xFF);  // image past the end
    EXPECT_FALSE(decode(offset));
    for (size_t i = 0; i < file.size(); ++i) {  // every single byte changed
        std::string bent = file;
        bent[i] = static_cast<char>(~bent[i]);
        decode(bent);
    }
}

}  // namespace
}  // namespace vexaro
