// apply: the page's own Apply over the INI files, the registry file written
// back when the page changed it, the follow-up reported; and on any error
// nothing written at all.
#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

struct SampleCopy : Scratch {
    SampleCopy() {
        CopySample("driver.reg");
        CopySample("vexaro.ini");
    }
    Result Apply(std::vector<std::string> settings, bool failSafe = false) const {
        std::vector<std::string> args = {"apply", "--registry", "driver.reg", "--windir", "."};
        if (failSafe) args.push_back("--fail-safe");
        args.insert(args.end(), settings.begin(), settings.end());
        return Run(args);
    }
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void Replace(std::string* text, const std::string& from, const std::string& to) {
    size_t at = text->find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text->replace(at, from.size(), to);
}

TEST(Apply, WritesTheIniIntegersAndLeavesAnUnchangedRegistryAlone) {
    SampleCopy s;
    std::string reg = s.Read("driver.reg");
    Result r = s.Apply({"Check1_1=off", "check3_1=ON"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string ini = s.Read("vexaro.ini");
    EXPECT_TRUE(Contains(ini, "TextFlags=1\r\n")) << ini;  // 5 with bit 2 cleared
    EXPECT_TRUE(Contains(ini, "WriteCombining=1\r\n")) << ini;
    EXPECT_TRUE(Contains(ini, "Pointer=1\r\n")) << ini;  // written again, unchanged
    EXPECT_EQ(s.Read("driver.reg"), reg);
    EXPECT_TRUE(Contains(r.out, "vexaro.ini [Acceleration] TextFlags: 5 -> 1")) << r.out;
    EXPECT_TRUE(Contains(r.out, "vexaro.ini [Compatibility] WriteCombining: 0 -> 1")) << r.out;
    EXPECT_TRUE(Contains(r.out, "unchanged, driver.reg not written")) << r.out;
}

TEST(Apply, FollowUpByStrongestAction) {
    struct Case {
        std::vector<std::string> settings;
        bool failSafe;
        const char* level;
        const char* call;
    };
    const Case cases[] = {
        {{"Check4_2=on"}, false, "After Apply: \"Dynamic\"", "nothing further"},
        {{"Radio2_3=on"},
         false,
         "After Apply: \"Mode\"",
         "ChangeDisplaySettingsA(16 bits per pixel, 1024x768, 75 Hz, flags 0)"},
        {{"Radio2_3=on"},
         true,
         "After Apply: \"Reboot\"",
         "asks (\"Vexaro\", Yes/No): You must restart your computer"},
        {{"Radio2_3=on", "Check3_2=off"},
         false,
         "After Apply: \"Reboot\"",
         "answered No: no restart"},
    };
    for (const Case& c : cases) {
        SampleCopy s;
        Result r = s.Apply(c.settings, c.failSafe);
        SCOPED_TRACE(c.settings[0] + (c.failSafe ? " fail-safe" : ""));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Contains(r.out, c.level)) << r.out;
        EXPECT_TRUE(Contains(r.out, c.call)) << r.out;
    }
}

// Selecting a radio button clears its siblings, as a click does; asking
// the others off with it, or one that is off already, is no contradiction.
TEST(Apply, RadioButtons) {
    struct Case {
        std::vector<std::string> settings;
        const char* refresh;
    };
    const Case cases[] = {
        {{"Radio2_3=on"}, "RefreshMode=4\r\n"},  // 2 cleared, 4 set
        {{"Radio2_2=off", "Radio2_3=on"}, "RefreshMode=4\r\n"},
        {{"Radio2_3=on", "Radio2_1=off", "Radio2_2=off"}, "RefreshMode=4\r\n"},
        {{"Radio2_1=off"}, "RefreshMode=2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings[0] + " and " + std::to_string(c.settings.size() - 1) + " more");
        SampleCopy s;
        Result r = s.Apply(c.settings);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(Contains(s.Read("vexaro.ini"), c.refresh)) << s.Read("vexaro.ini");
    }
}

TEST(Apply, RegistryWrittenBackWithoutPrunedData) {
    Scratch s;
    s.CopyTestData("example.reg");
    s.CopyTestData("example.ini");
    Result r = s.Run({"apply", "--registry", "example.reg", "--windir", ".", "Check1_2=on"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string reg = s.Read("example.reg");
    EXPECT_TRUE(Contains(reg, "REGEDIT4"));
    EXPECT_FALSE(Contains(reg, "\"Check1_3\"="));
    EXPECT_FALSE(Contains(reg, "Association\\Check1_3]"));
    EXPECT_TRUE(Contains(reg, "\"Check1_2\"=\"Smooth lines\""));
    EXPECT_TRUE(
        Contains(r.out, "removed Check1_3 (not admitted by Group1_2; with its Association key)"))
        << r.out;
    EXPECT_TRUE(Contains(r.out, "example.reg written")) << r.out;
    EXPECT_TRUE(Contains(s.Read("example.ini"), "Flags=3\r\n"));
    // The written file is read back as the same page.
    Result again = s.Run({"preview", "--registry", "example.reg", "--windir", "."});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_FALSE(Contains(again.out, "(removed)"));
}

// Every refusal comes before the first click: one line on stderr, nothing
// on stdout, no file changed.
TEST(Apply, ErrorsWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<std::string> files = {"--registry", "driver.reg", "--windir", "."};
    auto with = [&](std::vector<std::string> settings) {
        std::vector<std::string> args = files;
        args.insert(args.end(), settings.begin(), settings.end());
        return args;
    };
    const Case cases[] = {
        {with({"Check9_9=on"}), "vexaro: unknown entry Check9_9: no such Layout value\n"},
        {with({"Check1_1=on", "Group1_5=off"}),
         "vexaro: Group1_5 is a group box: it has no on/off state\n"},
        {with({"Check1_1"}), "vexaro: \"Check1_1\" is not NAME=on or NAME=off\n"},
        // Contradictions.
        {with({"Check1_3=on", "check1_3=OFF"}),
         "vexaro: Check1_3 is asked to be both on and off\n"},
        {with({"Radio2_1=on", "Radio2_3=on"}),
         "vexaro: Radio2_1 and Radio2_3 are radio buttons of group 2: only one of them can be "
         "on\n"},
        {with({"Radio2_2=off"}),
         "vexaro: Radio2_2 is a radio button: it goes off when another of group 2 is switched "
         "on (Radio2_1, Radio2_3)\n"},
        {with({"Radio2_2=off", "Check1_1=on"}),
         "vexaro: Radio2_2 is a radio button: it goes off when another of group 2 is switched "
         "on (Radio2_1, Radio2_3)\n"},
        {with({"Check1_1=on", "Check4_2=on"}),
         "vexaro: Check4_2 has no INI value behind it: its Association key lacks KeyString\n"},
        {with({"Check3_1=off"}),
         "vexaro: Check3_1 has no INI value behind it: it has no "
         "Association key\n"},
        // Files.
        {{"--registry", "driver.reg", "--windir", "nowhere", "Check1_1=on"},
         "vexaro: cannot open Windows folder nowhere: No such file or directory\n"},
        {{"--registry", "driver.reg", "--windir", "driver.reg", "Check1_1=on"},
         "vexaro: cannot open Windows folder driver.reg: Not a directory\n"},
        {{"--registry", "broken.reg", "--windir", ".", "Check1_1=on"}, "vexaro: broken.reg:"},
        {{"--registry", "missing.reg", "--windir", ".", "Check1_1=on"},
         "vexaro: cannot read missing.reg: No such file or directory\n"},
        {{"--registry", ".", "--windir", ".", "Check1_1=on"},
         "vexaro: cannot read .: Is a directory\n"},
        {{"--registry", "driver.reg", "Check1_1=on"},
         "vexaro: apply needs --windir DIR (see 'vexaro help apply')\n"},
    };
    for (const Case& c : cases) {
        SampleCopy s;
        s.Write("broken.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\r\n\"x\"=\"y\"\r\n");
        std::string reg = s.Read("driver.reg");
        // Check4_2 without "KeyString", Check3_1 without its Association key.
        Replace(&reg, "\"KeyString\"=\"Dither\"\r\n", "");
        Replace(&reg, "Association\\Check3_1]", "Association\\Elsewhere]");
        s.Write("driver.reg", reg);
        std::string ini = s.Read("vexaro.ini");
        std::vector<std::string> args = {"apply"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        Result r = s.Run(args);
        SCOPED_TRACE(c.message);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(s.Read("driver.reg"), reg);
        EXPECT_EQ(s.Read("vexaro.ini"), ini);
    }
}

TEST(Apply, EntryThatThePageDeletesCannotBeSet) {
    Scratch s;
    s.CopyTestData("example.reg");
    s.CopyTestData("example.ini");
    std::string reg = s.Read("example.reg");
    Result r = s.Run({"apply", "--registry", "example.reg", "--windir", ".", "Check1_3=on"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vexaro: Check1_3 is not on the page: its group Group1_2 does not admit it\n");
    EXPECT_EQ(s.Read("example.reg"), reg);
}

}  // namespace
}  // namespace vexarotest
