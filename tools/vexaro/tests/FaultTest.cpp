// apply when a file cannot be written: the page's own Apply goes on
// silently, the tool does not. It names the file, marks the values that were
// not saved, exits with an error, and leaves every file that it could not
// write as it was, with no temporary file beside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "ToolRunner.h"
#include "support/host/FileSizeLimit.h"

namespace vexarotest {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Replace(std::string* text, const std::string& from, const std::string& to) {
    for (size_t at = text->find(from); at != std::string::npos;
         at = text->find(from, at + to.size()))
        text->replace(at, from.size(), to);
}

using vxtest::FileSizeLimit;

TEST(ApplyFaults, AnIniFileThatCannotBeWrittenIsReportedAndKept) {
    const std::string padding = std::string(2000, ';') + "\r\n";
    struct Case {
        const char* name;
        std::function<void(Scratch&)> prepare;
        const char* named;  // the file as the error names it
        std::string cause;  // the system's reason
        rlim_t sizeLimit;   // 0: none
        size_t notWritten;  // values marked
    };
    const Case cases[] = {
        {"read-only file",
         [](Scratch& s) { ASSERT_EQ(chmod(s.Path("vexaro.ini").c_str(), 0444), 0); }, "vexaro.ini",
         // A process that may write anything meets no refusal, only the mode.
         geteuid() == 0 ? "read-only file" : "Permission denied", 0, 8},
        {"missing folder",
         [](Scratch& s) {
             std::string reg = s.Read("driver.reg");
             Replace(&reg, "\"INIFile\"=\"vexaro.ini\"", "\"INIFile\"=\"missing\\\\vexaro.ini\"");
             s.Write("driver.reg", reg);
         },
         "missing\\vexaro.ini", "No such file or directory", 0, 8},
        // The INI file grows past the limit, the program's output does not;
        // the writes that leave the file as it is succeed.
        {"full disk", [&](Scratch& s) { s.Write("vexaro.ini", s.Read("vexaro.ini") + padding); },
         "vexaro.ini", "File too large", 1024, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch s;
        s.CopySample("driver.reg");
        s.CopySample("vexaro.ini");
        c.prepare(s);
        const std::string reg = s.Read("driver.reg");
        const std::string ini = s.Read("vexaro.ini");
        const std::vector<std::string> before = Entries(s.Dir());

        Result r;
        {
            FileSizeLimit limit(c.sizeLimit != 0 ? c.sizeLimit : RLIM_INFINITY);
            ASSERT_TRUE(limit.Ok());
            r = s.Run({"apply", "--registry", "driver.reg", "--windir", ".", "Check1_1=off"});
        }
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err, std::string("vexaro: cannot write ") + c.named + ": " + c.cause +
                             " (the values marked NOT WRITTEN were not saved)\n");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        // Every entry of the file read the old integer again and wrote its own bit into it.
        EXPECT_TRUE(Contains(r.out, std::string("  ") + c.named + " [Acceleration] TextFlags: "))
            << r.out;
        EXPECT_EQ(Count(r.out, " NOT WRITTEN\n"), c.notWritten) << r.out;
        EXPECT_EQ(s.Read("vexaro.ini"), ini);
        EXPECT_EQ(s.Read("driver.reg"), reg);
        EXPECT_EQ(Entries(s.Dir()), before);
    }
}

// The page deleted a pruned entry's data, so the registry file is to be
// written back after the INI file; when that fails the file stays whole.
TEST(ApplyFaults, ARegistryFileThatCannotBeSavedIsReportedAndKept) {
    struct Case {
        const char* name;
        std::function<void(Scratch&)> prepare;
        std::string prefix;  // in front of the program
        rlim_t sizeLimit;    // 0: none
    };
    // A folder without write permission stops the owner, and root only when
    // the program runs as another user.
    const std::string asOtherUser =
        geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const Case cases[] = {
        // The registry file is larger than the limit, the INI file is not.
        {"full disk", nullptr, "", 1024},
        {"read-only folder",
         [](Scratch& s) {
             ASSERT_EQ(chmod(s.Dir().c_str(), 0777), 0);
             ASSERT_EQ(chmod(s.Path("example.ini").c_str(), 0666), 0);
             // The file may be written, its folder may not.
             ASSERT_EQ(chmod(s.Path("reg/example.reg").c_str(), 0666), 0);
             ASSERT_EQ(chmod(s.Path("reg").c_str(), 0555), 0);
         },
         asOtherUser, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch s;
        fs::create_directory(s.Path("reg"));
        s.Write("reg/example.reg", ReadFile(std::string(VEXARO_TEST_DATA) + "/example.reg"));
        s.CopyTestData("example.ini");
        if (c.prepare) c.prepare(s);
        const std::string reg = s.Read("reg/example.reg");
        const std::vector<std::string> before = Entries(s.Dir());

        Result r;
        {
            FileSizeLimit limit(c.sizeLimit != 0 ? c.sizeLimit : RLIM_INFINITY);
            ASSERT_TRUE(limit.Ok());
            r = s.Run({"apply", "--registry", "reg/example.reg", "--windir", ".", "Check1_2=on"},
                      c.prefix);
        }
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err.rfind("vexaro: the INI files were written, but the registry file was "
                              "not: cannot ",
                              0),
                  0u)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(Contains(s.Read("example.ini"), "[Options]\r\nFlags=3\r\n"));
        // The report still lists what was written, and what was not.
        EXPECT_TRUE(Contains(r.out, "INI files:\n  example.ini [Options] Flags: 1 -> 3\n"))
            << r.out;
        EXPECT_TRUE(Contains(r.out, "  reg/example.reg NOT WRITTEN: cannot ")) << r.out;
        EXPECT_EQ(s.Read("reg/example.reg"), reg);
        EXPECT_EQ(Entries(s.Dir()), before);
        fs::permissions(s.Path("reg"), fs::perms::owner_all, fs::perm_options::add);
    }
}

}  // namespace
}  // namespace vexarotest
