// INI file names from the data resolve as Windows resolves them with the
// Windows folder as the current folder, under --windir and --drive only:
// check names every one that leads nowhere or to a missing file, preview
// warns, apply refuses before writing, and nothing is written outside.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// paths.reg in the scratch folder, with win/ as the Windows folder and
// drive/ as C:\ (holding WINDOWS/VEXARO.INI).
struct PathData : Scratch {
    PathData() {
        CopyTestData("paths.reg");
        fs::create_directories(Path("win/sub"));
        fs::create_directories(Path("drive/WINDOWS"));
        Write("win/vexaro.ini", "[Options]\r\nFlags=0\r\n");
        Write("win/sub/sub.ini", "[Options]\r\nFlags=0\r\n");
        Write("drive/WINDOWS/VEXARO.INI", "[Options]\r\nFlags=0\r\n");
    }
    Result Do(const std::vector<std::string>& args, bool drive) const {
        std::vector<std::string> all = {args[0], "--registry", "paths.reg", "--windir", "win"};
        if (drive) all.insert(all.end(), {"--drive", "drive"});
        all.insert(all.end(), args.begin() + 1, args.end());
        return Run(all);
    }
};

TEST(Paths, CheckNamesEveryNameThatLeadsNowhere) {
    PathData s;
    Result r = s.Do({"check"}, true);
    EXPECT_EQ(r.exitCode, 1);
    // Resolved and present: no finding.
    for (const char* fine : {"\"vexaro.ini\"", "\"SUB\\sub.ini\"", "\"\\WINDOWS\\VEXARO.INI\"",
                             "\"C:\\WINDOWS\\VEXARO.INI\""}) {
        EXPECT_FALSE(Contains(r.out, std::string("INIFile ") + fine)) << fine << "\n" << r.out;
    }
    // A name that leads nowhere is an error, a missing file a warning.
    EXPECT_TRUE(Contains(r.out, "ini-path: 4 errors\n")) << r.out;
    const std::pair<const char*, const char*> refused[] = {
        {"  Check1_5  INIFile \"D:\\WINDOWS\\VEXARO.INI\" (Check1_5)", "drive other than C:"},
        {"INIFile \"\\\\server\\share\\x.ini\" (Check1_6)", "network"},
        {"INIFile \"/tmp/vexaro-outside.ini\" (Check1_7)", "not of Windows"},
        {"INIFile \"..\\outside.ini\" (Check1_8)", "leaves the Windows folder"},
    };
    for (const auto& [line, why] : refused) {
        const size_t at = r.out.find(line);
        ASSERT_NE(at, std::string::npos) << line << "\n" << r.out;
        EXPECT_TRUE(Contains(r.out.substr(at, r.out.find('\n', at) - at), why)) << line;
    }
    // ".." stops at the root of the drive: C:\top.ini, which is missing.
    EXPECT_TRUE(Contains(r.out,
                         "ini-missing: 1 warning\n  Check1_9  INIFile "
                         "\"C:\\..\\..\\WINDOWS\\..\\top.ini\" (Check1_9) is missing "
                         "(drive/top.ini): the page reads no value from it; Apply creates "
                         "it"))
        << r.out;
}

TEST(Paths, WithoutDriveEveryCommandSaysSo) {
    PathData s;
    Result check = s.Do({"check"}, false);
    EXPECT_TRUE(Contains(check.out,
                         "INIFile \"\\WINDOWS\\VEXARO.INI\" (Check1_3) is a path on "
                         "drive C:, for which no folder is given (give --drive DIR"))
        << check.out;
    EXPECT_TRUE(Contains(check.out, "INIFile \"C:\\WINDOWS\\VEXARO.INI\" (Check1_4) is a path"))
        << check.out;

    Result preview = s.Do({"preview"}, false);
    EXPECT_EQ(preview.exitCode, 0);
    EXPECT_TRUE(Contains(preview.err,
                         "vexaro: warning: INIFile \"\\WINDOWS\\VEXARO.INI\" "
                         "(Check1_3) is a path on drive C:"))
        << preview.err;

    Result apply = s.Do({"apply", "Check1_1=on"}, false);
    EXPECT_EQ(apply.exitCode, 2);
    EXPECT_TRUE(Contains(apply.err, "give --drive DIR")) << apply.err;
    EXPECT_EQ(s.Read("win/vexaro.ini"), "[Options]\r\nFlags=0\r\n");
}

// Apply refuses a page whose files lead outside, and writes nothing.
TEST(Paths, ApplyRefusesNamesOutsideAndWritesNothing) {
    PathData s;
    fs::remove("/tmp/vexaro-outside.ini");
    Result r = s.Do({"apply", "Check1_1=on"}, true);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "vexaro: INIFile \"D:\\WINDOWS\\VEXARO.INI\" (Check1_5) is on a drive other than "
              "C:, which is never read or written\n");
    EXPECT_EQ(s.Read("win/vexaro.ini"), "[Options]\r\nFlags=0\r\n");
    EXPECT_FALSE(fs::exists("/tmp/vexaro-outside.ini"));
    EXPECT_FALSE(fs::exists(s.Path("outside.ini")));
}

// The accepted forms, each written where Windows would write it; a symbolic
// link inside the folders is written through to its target.
TEST(Paths, ApplyWritesUnderTheFolders) {
    PathData s;
    std::string reg = s.Read("paths.reg");
    // Only the names that resolve stay in the data.
    for (const char* name : {"Check1_5", "Check1_6", "Check1_7", "Check1_8"}) {
        const std::string layoutLine = std::string("\"") + name + "\"=\"" + name + "\"\r\n";
        reg.erase(reg.find(layoutLine), layoutLine.size());
    }
    s.Write("paths.reg", reg);
    s.Write("target.ini", "[Options]\r\nFlags=0\r\n");
    fs::remove(s.Path("win/sub/sub.ini"));
    fs::create_symlink(s.Path("target.ini"), s.Path("win/sub/sub.ini"));

    // Check1_3 and Check1_4 name one file in two ways, and the same key.
    Result r = s.Do(
        {"apply", "Check1_1=on", "Check1_2=on", "Check1_3=on", "Check1_4=on", "Check1_9=on"}, true);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("win/vexaro.ini"), "[Options]\r\nFlags=1\r\n");
    EXPECT_EQ(s.Read("target.ini"), "[Options]\r\nFlags=1\r\n");
    EXPECT_TRUE(fs::is_symlink(s.Path("win/sub/sub.ini")));
    EXPECT_EQ(s.Read("drive/WINDOWS/VEXARO.INI"), "[Options]\r\nFlags=1\r\n");
    EXPECT_EQ(s.Read("drive/top.ini"), "[Options]\r\nFlags=1\r\n");
}

TEST(Paths, DriveFolderMustExist) {
    PathData s;
    Result r = s.Run({"check", "--registry", "paths.reg", "--windir", "win", "--drive", "nope"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vexaro: cannot open drive folder nope: No such file or directory\n");
}

}  // namespace
}  // namespace vexarotest
