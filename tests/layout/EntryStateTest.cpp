// An entry's state bound to bits of its INI integer: loading, saving,
// resetting, and the pending action that changes raise.
#include <string>
#include <vector>

#include "layout/SettingButton.h"
#include "platform/WinConstants.h"
#include "store/DriverFixture.h"

namespace vxtest {
namespace {

class EntryStateTest : public DriverTest {
  protected:
    std::string Ini() const { return platform.IniPath("video.ini"); }

    // Association data of one entry bound to [Video] Flags of video.ini,
    // with the given further value lines.
    void Bind(const std::string& entry, const std::vector<std::string>& lines) {
        BindAll({{entry, lines}});
    }
    void BindAll(const std::vector<std::pair<std::string, std::vector<std::string>>>& entries) {
        std::string text = "REGEDIT4\r\n\r\n";
        for (const auto& [entry, lines] : entries) {
            text += KeyLine(AssociationKey(entry)) + "\r\n";
            text += SzLine("INIFile", Ini()) + "\r\n";
            text += SzLine("Section", "Video") + "\r\n";
            text += SzLine("KeyString", "Flags") + "\r\n";
            for (const std::string& line : lines) text += line + "\r\n";
            text += "\r\n";
        }
        platform.LoadRegistry(text);
    }
    // Saves the entry, which must leave the file as `bytes` and raise no
    // action.
    void ExpectSaveKeeps(vx::CSettingButton& entry, const std::string& bytes, int appliedState) {
        entry.SaveState();
        EXPECT_EQ(TestPlatform::ReadFile(Ini()), bytes);
        EXPECT_EQ(entry.m_nAppliedState, appliedState);
        EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");
    }
    // After the end of any earlier Apply, whose writes are then on the disk.
    void WriteIni(const std::string& flagsLine) {
        TestPlatform::WriteBackProfiles();
        TestPlatform::WriteFile(Ini(), "[Video]\r\n" + flagsLine + "\r\n[Other]\r\nFlags=9\r\n");
    }
    // The text after "Flags=" in the [Video] section, or "(none)", once
    // the writes are on the disk as the end of Apply puts them.
    std::string FlagsText() const {
        TestPlatform::WriteBackProfiles();
        const std::string file = TestPlatform::ReadFile(Ini());
        const size_t at = file.find("Flags=");
        if (at == std::string::npos || file.find("[Other]") < at) return "(none)";
        const size_t begin = at + 6;
        return file.substr(begin, file.find_first_of("\r\n", begin) - begin);
    }
    // A top-level button of its own (a window without parent takes no id).
    static void GiveButton(vx::CSettingButton& entry, int check) {
        ASSERT_NE(entry.Create(entry.m_strCaption, vx::kBsAutoCheckBox, vx::Rect{0, 0, 120, 20},
                               nullptr, 0),
                  0);
        entry.Send(vx::kBmSetCheck, static_cast<uintptr_t>(check), 0);
    }
};

struct LoadCase {
    const char* what;
    std::vector<std::string> lines;
    const char* flagsLine;  // null: the key is absent from the file
    int expected;
};

TEST_F(EntryStateTest, LoadTestsTheOrMaskOrFallsBackToTheDefault) {
    const LoadCase cases[] = {
        {"bit set", {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"}, "Flags=5", 1},
        {"bit clear", {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"}, "Flags=3", 0},
        {"absent, default on",
         {SzLine("Default", "On"), "\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"},
         nullptr,
         1},
        {"absent, no default", {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"}, nullptr, 0},
        {"absent, default in lower case",
         {SzLine("Default", "on"), "\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"},
         nullptr,
         0},
        {"number mask takes its lowest byte",
         {"\"AndMask\"=dword:fffffffb", "\"OrMask\"=dword:00000104"},
         "Flags=256",
         0},
        {"number mask, bit set",
         {"\"AndMask\"=dword:fffffffb", "\"OrMask\"=dword:00000104"},
         "Flags=4",
         1},
        {"text mask is its first character's code",
         {SzLine("AndMask", "?"), SzLine("OrMask", "4")},
         "Flags=16",
         1},
        {"mask from 0x80 is negative", {"\"AndMask\"=hex:7f", "\"OrMask\"=hex:80"}, "Flags=256", 1},
        {"empty mask is zero",
         {SzLine("Default", "On"), "\"AndMask\"=hex:fb", "\"OrMask\"=hex:"},
         nullptr,
         0},
        {"no AndMask keeps the default",
         {SzLine("Default", "On"), "\"OrMask\"=hex:04"},
         "Flags=0",
         1},
        {"no OrMask keeps the default", {"\"AndMask\"=hex:fb"}, "Flags=4", 0},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bind("Check1_1", c.lines);
        WriteIni(c.flagsLine ? c.flagsLine : "Other=1");
        vx::CSettingButton entry("Check1_1", "Fast text drawing");
        EXPECT_EQ(entry.m_nState, c.expected);
        EXPECT_EQ(entry.m_nAppliedState, c.expected);
    }
}

struct SaveCase {
    const char* what;
    std::vector<std::string> lines;
    const char* flagsLine;
    int check;
    const char* written;
};

TEST_F(EntryStateTest, SaveSetsOrClearsBitsThroughSignedMasks) {
    const SaveCase cases[] = {
        {"on sets the OrMask", {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"}, "Flags=1", 1, "5"},
        {"off clears with the AndMask",
         {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"},
         "Flags=5",
         0,
         "1"},
        {"AndMask from 0x80 keeps the high bits",
         {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"},
         "Flags=261",
         0,
         "257"},
        {"AndMask below 0x80 clears the high bits",
         {"\"AndMask\"=hex:7b", "\"OrMask\"=hex:04"},
         "Flags=511",
         0,
         "123"},
        {"OrMask 0x80 sets bits 7 to 31",
         {"\"AndMask\"=hex:7f", "\"OrMask\"=hex:80"},
         "Flags=0",
         1,
         "-128"},
        {"number mask",
         {"\"AndMask\"=dword:fffffffe", "\"OrMask\"=dword:00000001"},
         "Flags=259",
         0,
         "258"},
        {"text mask", {SzLine("AndMask", "?"), SzLine("OrMask", "@")}, "Flags=127", 0, "63"},
        {"absent key reads as 0", {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"}, "Other=1", 1, "4"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bind("Check1_1", c.lines);
        WriteIni(c.flagsLine);
        vx::CSettingButton entry("Check1_1", "Fast text drawing");
        GiveButton(entry, c.check);
        entry.SaveState();
        EXPECT_EQ(FlagsText(), c.written);
        EXPECT_EQ(entry.m_nState, c.check);
        EXPECT_EQ(entry.m_nAppliedState, c.check);
    }
}

TEST_F(EntryStateTest, UnchangedSaveRewritesTheIntegerAndRaisesNothing) {
    Bind("Check1_1", {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04", SzLine("Action", "Reboot")});
    WriteIni("Flags=05");
    vx::CSettingButton entry("Check1_1", "");
    ASSERT_EQ(entry.m_nState, 1);
    GiveButton(entry, 1);
    entry.SaveState();
    EXPECT_EQ(FlagsText(), "5");
    EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");
}

TEST_F(EntryStateTest, ChangesRaiseThePendingActionAndNeverLowerIt) {
    const std::vector<std::string> masks = {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04"};
    // Saved in this order, each entry's change raises the pending action to
    // its own, or leaves the higher one.
    const struct {
        const char* entry;
        const char* action;   // none when null
        const char* pending;  // after its save
    } steps[] = {
        {"Check1_4", nullptr, "Dynamic"},
        {"Check1_1", "Mode", "Mode"},
        {"Check1_2", "Reboot", "Reboot"},
        {"Check1_3", "Mode", "Reboot"},
    };
    std::vector<std::pair<std::string, std::vector<std::string>>> bound;
    for (const auto& step : steps) {
        std::vector<std::string> lines = masks;
        if (step.action != nullptr) lines.push_back(SzLine("Action", step.action));
        bound.push_back({step.entry, lines});
    }
    BindAll(bound);
    for (const auto& step : steps) {
        SCOPED_TRACE(step.entry);
        WriteIni("Flags=0");
        vx::CSettingButton entry(step.entry, "");
        ASSERT_EQ(entry.m_nState, 0);
        GiveButton(entry, 1);
        entry.SaveState();
        EXPECT_EQ(entry.m_nAppliedState, 1);
        EXPECT_EQ(std::string(vx::PendingAction), step.pending);
    }
}

TEST_F(EntryStateTest, RaisingFollowsTheExactActionWords) {
    const struct {
        std::vector<const char*> actions;
        const char* result;
    } cases[] = {
        {{"Mode"}, "Mode"},
        {{"Reboot"}, "Reboot"},
        {{"Reboot", "Mode"}, "Reboot"},
        {{"Mode", "Dynamic"}, "Mode"},
        {{"mode", "REBOOT"}, "Dynamic"},
        {{"Reboot ", "Mode2"}, "Dynamic"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.actions.front()) + " then " + c.actions.back());
        vx::PendingAction = "Dynamic";
        for (const char* action : c.actions) vx::RaisePendingAction(action);
        EXPECT_EQ(std::string(vx::PendingAction), c.result);
    }
}

TEST_F(EntryStateTest, SaveWithoutItsFiveValuesChangesNothing) {
    Bind("Check1_1", {"\"AndMask\"=hex:fb", SzLine("Action", "Reboot")});
    WriteIni("Flags=5");
    const std::string before = TestPlatform::ReadFile(Ini());
    vx::CSettingButton entry("Check1_1", "");
    GiveButton(entry, 1);
    ExpectSaveKeeps(entry, before, 0);
}

TEST_F(EntryStateTest, EntryWithoutButtonLeavesItsFileAlone) {
    const std::vector<std::string> lines = {"\"AndMask\"=hex:00", "\"OrMask\"=hex:04",
                                            SzLine("Action", "Reboot")};
    BindAll({{"Other1_1", lines}, {"Check1_1", lines}});
    const std::string bytes = "; kept as it is\r\n[Video]\r\n  Flags = 5 ;on\r\n\r\n[Other]\nx=1";
    TestPlatform::WriteFile(Ini(), bytes);
    for (const char* name : {"Other1_1", "Check1_1"}) {
        SCOPED_TRACE(name);
        vx::CSettingButton entry(name, "");
        ASSERT_EQ(entry.m_nState, 1);
        ExpectSaveKeeps(entry, bytes, 1);
    }
}

TEST_F(EntryStateTest, ResetRestoresTheDefaultWithoutTouchingTheFile) {
    const std::vector<std::string> masks = {"\"AndMask\"=hex:fb", "\"OrMask\"=hex:04",
                                            SzLine("Action", "Mode")};
    std::vector<std::string> onByDefault = masks;
    onByDefault.push_back(SzLine("Default", "On"));
    BindAll({{"Check1_1", onByDefault}, {"Check1_2", masks}});
    WriteIni("Flags=0");
    const std::string before = TestPlatform::ReadFile(Ini());

    vx::CSettingButton same("Check1_2", "");
    GiveButton(same, 0);
    EXPECT_EQ(same.LoadState(1), 0);
    EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");

    vx::CSettingButton differs("Check1_1", "");
    ASSERT_EQ(differs.m_nState, 0);
    GiveButton(differs, 0);
    EXPECT_EQ(differs.LoadState(1), 1);
    EXPECT_EQ(differs.m_nState, 1);
    EXPECT_EQ(differs.m_nAppliedState, 1);
    EXPECT_EQ(differs.Send(vx::kBmGetCheck, 0, 0), 1);
    EXPECT_EQ(std::string(vx::PendingAction), "Mode");
    EXPECT_EQ(differs.LoadState(1), 0);  // now the default is the applied state
    EXPECT_EQ(TestPlatform::ReadFile(Ini()), before);

    vx::CSettingButton buttonless("Check1_1", "");
    EXPECT_EQ(buttonless.LoadState(1), 1);
    EXPECT_EQ(buttonless.m_nAppliedState, 1);
}

}  // namespace
}  // namespace vxtest
