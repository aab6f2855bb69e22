// check: what the next showing of the page deletes, and what in the data
// makes the page behave other than meant; the page then does exactly what
// check announced.
#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

using Json = nlohmann::json;
using Pairs = std::multiset<std::pair<std::string, std::string>>;  // code, entry

Result Check(Scratch& s, const std::string& reg, bool json = true) {
    std::vector<std::string> args = {"check", "--registry", reg, "--windir", "."};
    if (json) args.push_back("--json");
    return s.Run(args);
}

Pairs Findings(const Result& r) {
    Pairs found;
    const Json parsed = Json::parse(r.out);
    for (const Json& f : parsed["findings"]) {
        found.insert({f["code"], f["entry"].is_null() ? "" : f["entry"].get<std::string>()});
    }
    return found;
}

const char kLayoutKey[] =
    "[HKEY_LOCAL_"
    "MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0002\\Vexaro\\Layout]";

TEST(Check, ReportsEveryKindOfProblem) {
    Scratch s;
    s.CopyTestData("messy.reg");
    s.CopyTestData("messy.ini");
    Result r = Check(s, "messy.reg");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Findings(r), (Pairs{
                               {"evicted", "Check1_2"},
                               {"pruned", "Radio2_9"},
                               {"not-loaded", "Check2_2"},
                               {"default-case", "Check1_1"},
                               {"missing-association", "Radio2_1"},
                               {"mask-truncated", "Check1-2"},
                               {"action-text", "Check1-2"},
                               {"short-name", "Chk"},
                               {"missing-association", "Chk"},
                               {"unknown-kind", "Chk"},
                               {"no-group", "Check0_1"},
                               {"id-mismatch", "Check1_1"},
                               {"id-mismatch", "Check1-2"},
                               {"id-mismatch", "Radio2_1"},
                           }));
    // A dry run: nothing changed.
    ExpectUnchanged(s, {"messy.reg", "messy.ini"});
}

// What check says the page deletes is what the page deletes when it is
// shown for real (here by apply, which writes the registry file back).
TEST(Check, AnnouncesExactlyWhatThePageDeletes) {
    Scratch s;
    s.CopyTestData("messy.reg");
    s.CopyTestData("messy.ini");
    Result check = Check(s, "messy.reg");
    std::set<std::string> announced;
    for (const auto& [code, entry] : Findings(check)) {
        if (code == "evicted" || code == "pruned") announced.insert(entry);
    }
    ASSERT_EQ(announced, (std::set<std::string>{"Check1_2", "Radio2_9"}));

    Result apply = s.Run({"apply", "--registry", "messy.reg", "--windir", ".", "Check1_1=on"});
    ASSERT_EQ(apply.exitCode, 0) << apply.err;
    std::string after = s.Read("messy.reg");
    std::string before = TestData("messy.reg");
    for (const char* name : {"Check0_1", "Check1_2", "Check1-2", "Check2_2", "Radio2_9", "Chk"}) {
        std::string value = "\"" + std::string(name) + "\"=";
        std::string key = "Association\\" + std::string(name) + "]";
        bool gone = announced.count(name) != 0;
        EXPECT_EQ(after.find(value) == std::string::npos, gone) << name;
        EXPECT_EQ(after.find(key) == std::string::npos,
                  gone || before.find(key) == std::string::npos)
            << name;
    }
    // The next showing loads what the deletion had skipped, and deletes nothing.
    Result again = Check(s, "messy.reg");
    Pairs found = Findings(again);
    EXPECT_EQ(found.count({"evicted", "Check1_2"}) + found.count({"pruned", "Radio2_9"}) +
                  found.count({"not-loaded", "Check2_2"}),
              0u);
}

TEST(Check, MasksStoredAsTextInTheSample) {
    Scratch s;
    s.CopySampleDriver();
    Result r = Check(s, "driver.reg", false);
    EXPECT_EQ(r.exitCode, 0);  // warnings only
    EXPECT_NE(
        r.out.find("AndMask stored as text \"?\": the page uses its first character's code, 63"),
        std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("2 findings: 0 errors, 2 warnings, 0 notes."), std::string::npos);
}

TEST(Check, CleanDataExitsZero) {
    Scratch s;
    s.Write("clean.reg",
            std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n"
                        "\"CurrentDisplayKey\"=\"0002\"\r\n\r\n") +
                kLayoutKey +
                "\r\n\"Group1_1\"=\"Options\"\r\n\"Check1_1\"=\"Fast\"\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\"
                "Display\\0002\\Vexaro\\Association\\Check1_1]\r\n"
                "\"INIFile\"=\"a.ini\"\r\n\"Section\"=\"S\"\r\n\"KeyString\"=\"K\"\r\n"
                "\"AndMask\"=hex:fe\r\n\"OrMask\"=dword:00000001\r\n");
    s.Write("a.ini", "[S]\r\nK=1\r\n");
    Result r = Check(s, "clean.reg", false);
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "No findings.\n");
}

TEST(Check, DriverKeyThatCannotBeFound) {
    Scratch s;
    s.Write("nokey.reg",
            std::string("REGEDIT4\r\n\r\n") + kLayoutKey + "\r\n\"Group1_1\"=\"x\"\r\n");
    Result r = Check(s, "nokey.reg");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Findings(r), (Pairs{{"driver-key", ""}}));
}

TEST(Check, ControlIdsPast2255) {
    // Groups of six members each, group characters '0' to '`' (value names
    // ignore letter case, so no further): seven controls a group.
    std::string layout = std::string(
                             "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\"
                             "Lumetra]\r\n\"CurrentDisplayKey\"=\"0002\"\r\n\r\n") +
                         kLayoutKey + "\r\n";
    int groups = 0;
    for (char c = '0'; c <= '`'; ++c) {
        if (c == '\\') continue;
        std::string g(1, c);
        layout += "\"Group" + g + "_6\"=\"G\"\r\n";
        for (char order = '1'; order <= '6'; ++order) {
            layout += "\"Check" + g + "_" + std::string(1, order) + "\"=\"M\"\r\n";
        }
        ++groups;
    }
    Scratch s;
    s.Write("many.reg", layout);
    Result r = Check(s, "many.reg");
    EXPECT_EQ(r.exitCode, 1);
    int past = 0;
    for (const auto& [code, entry] : Findings(r)) past += code == "id-past-2255" ? 1 : 0;
    EXPECT_EQ(past, groups * 7 - 255);
}

// --kind and --ignore choose by kind or by severity; only errors make the
// exit code 1, or with --strict whatever is reported.
TEST(Check, FiltersAndSeverities) {
    struct Case {
        std::vector<std::string> options;
        int exitCode;
        size_t shown;
        const char* onlyCode;  // when all shown are of one kind
    };
    const Case cases[] = {
        {{}, 1, 14, nullptr},
        {{"--ignore", "error"}, 0, 9, nullptr},
        {{"--ignore", "error", "--strict"}, 1, 9, nullptr},
        {{"--kind", "evicted,pruned"}, 1, 2, nullptr},
        {{"--kind", "note"}, 0, 1, "not-loaded"},
        {{"--kind", "note", "--strict"}, 1, 1, "not-loaded"},
        {{"--kind", "id-mismatch", "--kind", "pruned", "--ignore", "pruned"}, 1, 3, "id-mismatch"},
        {{"--kind", "warning", "--ignore", "missing-association"}, 0, 6, nullptr},
        {{"--kind", "driver-key"}, 0, 0, nullptr},
        {{"--kind", "driver-key", "--strict"}, 0, 0, nullptr},
    };
    const std::map<std::string, std::string> severities = {
        {"evicted", "error"},
        {"pruned", "error"},
        {"id-mismatch", "error"},
        {"not-loaded", "note"},
        {"missing-association", "warning"},
        {"mask-truncated", "warning"},
        {"default-case", "warning"},
        {"action-text", "warning"},
        {"short-name", "warning"},
        {"unknown-kind", "warning"},
        {"no-group", "warning"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& o : c.options) line += o + " ";
        SCOPED_TRACE(line);
        Scratch s;
        s.CopyTestData("messy.reg");
        s.CopyTestData("messy.ini");
        std::vector<std::string> args = {"check",    "--registry", "messy.reg",
                                         "--windir", ".",          "--json"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        Result r = s.Run(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        const Json j = Json::parse(r.out);
        EXPECT_EQ(j["findings"].size(), c.shown);
        EXPECT_EQ(j["leftOut"], 14 - c.shown);
        size_t counted = 0;
        for (const auto& [severity, n] : j["counts"].items()) counted += n.get<size_t>();
        EXPECT_EQ(counted, c.shown);
        for (const Json& f : j["findings"]) {
            EXPECT_EQ(f["severity"], severities.at(f["code"])) << f["code"];
            if (c.onlyCode != nullptr) {
                EXPECT_EQ(f["code"], c.onlyCode);
            }
        }
    }
}

// The text groups findings by kind, errors first, each kind once with its
// count, and ends with the totals.
TEST(Check, GroupsFindingsByKind) {
    Scratch s;
    s.CopyTestData("messy.reg");
    s.CopyTestData("messy.ini");
    Result r = Check(s, "messy.reg", false);
    EXPECT_EQ(r.exitCode, 1);
    const char* const headings[] = {
        "evicted: 1 error\n",          "pruned: 1 error\n",
        "id-mismatch: 3 errors\n",     "missing-association: 2 warnings\n",
        "mask-truncated: 1 warning\n", "default-case: 1 warning\n",
        "action-text: 1 warning\n",    "short-name: 1 warning\n",
        "unknown-kind: 1 warning\n",   "no-group: 1 warning\n",
        "not-loaded: 1 note\n",
    };
    size_t at = 0;
    for (const char* heading : headings) {
        size_t found = r.out.find(heading);
        ASSERT_NE(found, std::string::npos) << heading << r.out;
        EXPECT_GE(found, at) << heading;
        EXPECT_EQ(r.out.find(heading, found + 1), std::string::npos) << heading;
        at = found;
    }
    EXPECT_NE(r.out.find("id-mismatch: 3 errors\n  Check1_1  control id 2001"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.substr(r.out.rfind("\n\n")),
              "\n\n14 findings: 5 errors, 8 warnings, 1 note.\n");

    Result some =
        s.Run({"check", "--registry", "messy.reg", "--windir", ".", "--ignore", "warning,note"});
    EXPECT_EQ(some.out.substr(some.out.rfind("\n\n")),
              "\n\n5 findings: 5 errors, 0 warnings, 0 notes (9 more left out by "
              "--kind/--ignore).\n");
    Result none =
        s.Run({"check", "--registry", "messy.reg", "--windir", ".", "--kind", "unreadable"});
    EXPECT_EQ(none.out, "No findings (14 more left out by --kind/--ignore).\n");
    EXPECT_EQ(none.exitCode, 0);
}

}  // namespace
}  // namespace vexarotest
