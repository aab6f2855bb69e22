// apply: the page's own Apply over the INI files, the registry file written
// back when the page changed it, the follow-up reported; and on any error
// nothing written at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

struct SampleCopy : Scratch {
    SampleCopy() { CopySampleDriver(); }
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
    s.CopyExample();
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
        // regedit stops its import at the deletion of a root key.
        s.Write("broken.reg", "REGEDIT4\r\n\r\n[-HKEY_LOCAL_MACHINE]\r\n\"x\"=\"y\"\r\n");
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
    s.CopyExample();
    std::string reg = s.Read("example.reg");
    Result r = s.Run({"apply", "--registry", "example.reg", "--windir", ".", "Check1_3=on"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vexaro: Check1_3 is not on the page: its group Group1_2 does not admit it\n");
    EXPECT_EQ(s.Read("example.reg"), reg);
}

// The INI part of a report, with a dry run's wording made a real run's.
std::string IniPart(std::string report) {
    size_t from = report.find("INI files:\n"), to = report.find("Registry:\n");
    if (from == std::string::npos || to == std::string::npos) return "(no INI part) " + report;
    report = report.substr(from, to - from);
    const std::string would = " would be written again";
    size_t at = report.find(would);
    if (at != std::string::npos) report.replace(at, would.size(), " written again");
    return report;
}

// A dry run reports what the real run then does, and writes nothing; the
// radio buttons write one key three times, each reading the last write.
TEST(Apply, DryRunReportsWhatTheRealRunDoes) {
    const std::vector<std::vector<std::string>> settings = {
        {"Radio2_3=on", "Check1_1=off"},
        {"Check3_2=off", "Check4_2=on"},
    };
    for (const auto& set : settings) {
        SCOPED_TRACE(set[0]);
        SampleCopy s;
        const std::string reg = s.Read("driver.reg"), ini = s.Read("vexaro.ini");
        std::vector<std::string> dryArgs = set;
        dryArgs.push_back("--dry-run");
        Result dry = s.Apply(dryArgs);
        ASSERT_EQ(dry.exitCode, 0) << dry.err;
        EXPECT_EQ(dry.out.rfind("Dry run: no file written.\nWould set: ", 0), 0u) << dry.out;
        EXPECT_EQ(s.Read("vexaro.ini"), ini);
        EXPECT_EQ(s.Read("driver.reg"), reg);

        Result real = s.Apply(set);
        ASSERT_EQ(real.exitCode, 0) << real.err;
        EXPECT_EQ(IniPart(dry.out), IniPart(real.out));
        EXPECT_NE(s.Read("vexaro.ini"), ini);
        const std::string after = real.out.substr(real.out.find("After Apply:"));
        EXPECT_EQ(dry.out.substr(dry.out.find("After Apply:")), after);
    }
    // The registry file that a real run would write back is left alone.
    Scratch s;
    s.CopyExample();
    Result dry =
        s.Run({"apply", "--registry", "example.reg", "--windir", ".", "--dry-run", "Check1_2=on"});
    ASSERT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_TRUE(Contains(dry.out, "  example.reg would be written\n")) << dry.out;
    ExpectUnchanged(s, {"example.reg", "example.ini"});
}

TEST(Apply, JsonReport) {
    Scratch s;
    s.CopyExample();
    Result r =
        s.Run({"apply", "--registry", "example.reg", "--windir", ".", "--json", "CHECK1_2=on"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["schema"], 1);
    EXPECT_EQ(j["dryRun"], false);
    EXPECT_EQ(j["set"],
              nlohmann::json::parse(
                  R"([{"entry": "Check1_2", "entryBytes": "436865636b315f32", "on": true}])"));
    const nlohmann::json flags = j["ini"][0];
    EXPECT_EQ(flags["file"], "example.ini");
    EXPECT_EQ(flags["key"], "Flags");
    EXPECT_EQ(flags["before"], 1);
    EXPECT_EQ(flags["after"], 3);
    EXPECT_EQ(flags["changed"], true);
    EXPECT_EQ(flags["written"], true);
    EXPECT_EQ(j["registry"]["state"], "written");
    EXPECT_EQ(j["registry"]["removed"][0]["name"], "Check1_3");
    EXPECT_EQ(j["registry"]["removed"][0]["reason"], "pruned");
    EXPECT_TRUE(j["afterApply"]["action"].is_string());
    EXPECT_TRUE(j["error"].is_null());
    EXPECT_EQ(r.err, "");

    // A write that fails: still one document, which says so, and exit 2.
    SampleCopy t;
    ASSERT_EQ(chmod(t.Path("vexaro.ini").c_str(), 0444), 0);
    Result failed = t.Apply({"--json", "Check1_1=off"});
    EXPECT_EQ(failed.exitCode, 2);
    nlohmann::json f = nlohmann::json::parse(failed.out);
    EXPECT_TRUE(f["error"]["message"].get<std::string>().rfind("cannot write vexaro.ini: ", 0) == 0)
        << f["error"];
    EXPECT_EQ(f["ini"][0]["written"], false);
    EXPECT_FALSE(f["ini"][0]["error"].is_null());
    EXPECT_EQ(failed.err, "vexaro: " + f["error"]["message"].get<std::string>() + "\n");
}

// The registry from standard input cannot be written back: apply says so
// when the page deletes data from it, and goes ahead with --no-registry.
TEST(Apply, RegistryFromStandardInput) {
    struct Case {
        const char* reg;
        std::vector<std::string> more;
        int exitCode;
        const char* says;  // on stdout, or on stderr for an error
        bool iniWritten;
    };
    const Case cases[] = {
        {"example.reg",
         {"Check1_2=on"},
         2,
         "vexaro: showing the page deletes data from the registry, which comes from standard "
         "input and cannot be written back (give --no-registry to apply without saving the "
         "deletions)\n",
         false},
        {"example.reg",
         {"--no-registry", "Check1_2=on"},
         0,
         "  read from standard input, not written back (--no-registry): the removals are not "
         "saved\n",
         true},
        {"example.reg",
         {"--dry-run", "Check1_2=on"},
         0,
         "  read from standard input, which cannot be written back: a real run needs "
         "--no-registry\n",
         false},
        // Nothing deleted: nothing to write back.
        {"driver.reg", {"Check1_1=off"}, 0, "  unchanged, standard input not written\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.more[0]);
        Scratch s;
        s.CopyExample();
        s.CopySampleDriver();
        const std::string reg = s.Read(c.reg);
        const std::string ini = s.Read("example.ini") + s.Read("vexaro.ini");
        std::vector<std::string> args = {"apply", "--registry", "-", "--windir", "."};
        args.insert(args.end(), c.more.begin(), c.more.end());
        Result r = s.RunRedirected(args, std::string("<") + c.reg);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(Contains(c.exitCode == 0 ? r.out : r.err, c.says)) << r.out << r.err;
        EXPECT_EQ(s.Read("example.ini") + s.Read("vexaro.ini") != ini, c.iniWritten);
        EXPECT_EQ(s.Read(c.reg), reg);
    }
}

// --no-registry leaves a registry file alone that the page changed.
TEST(Apply, NoRegistryLeavesTheFileAlone) {
    Scratch s;
    s.CopyExample();
    Result r = s.Run(
        {"apply", "--registry", "example.reg", "--windir", ".", "--no-registry", "Check1_2=on"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "removed Check1_3 (not admitted by Group1_2"));
    EXPECT_TRUE(Contains(r.out, "  example.reg not written back (--no-registry)")) << r.out;
    ExpectUnchanged(s, {"example.reg"});
    EXPECT_TRUE(Contains(s.Read("example.ini"), "Flags=3\r\n"));
}

}  // namespace
}  // namespace vexarotest
