// INI file names from the data resolve as Windows resolves them with the
// Windows folder as the current folder, under --windir and --drive only:
// check names every one that leads nowhere or to a missing file, preview
// warns, apply refuses before writing, and nothing is written outside.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>

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
    // A link from the Windows folder to a file on the drive stays inside.
    s.Write("drive/target.ini", "[Options]\r\nFlags=0\r\n");
    fs::remove(s.Path("win/sub/sub.ini"));
    fs::create_symlink(s.Path("drive/target.ini"), s.Path("win/sub/sub.ini"));

    // Check1_3 and Check1_4 name one file in two ways, and the same key.
    Result r = s.Do(
        {"apply", "Check1_1=on", "Check1_2=on", "Check1_3=on", "Check1_4=on", "Check1_9=on"}, true);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("win/vexaro.ini"), "[Options]\r\nFlags=1\r\n");
    EXPECT_EQ(s.Read("drive/target.ini"), "[Options]\r\nFlags=1\r\n");
    EXPECT_TRUE(fs::is_symlink(s.Path("win/sub/sub.ini")));
    EXPECT_EQ(s.Read("drive/WINDOWS/VEXARO.INI"), "[Options]\r\nFlags=1\r\n");
    EXPECT_EQ(s.Read("drive/top.ini"), "[Options]\r\nFlags=1\r\n");
}

// The sample driver (every entry names vexaro.ini) with win/ as the Windows
// folder and out/ beside it, outside.
struct LinkData : Scratch {
    LinkData() {
        CopySample("driver.reg");
        fs::create_directories(Path("win/real"));
        fs::create_directories(Path("out"));
        CopySample("vexaro.ini");
        fs::rename(Path("vexaro.ini"), Path("out/vexaro.ini"));
    }
    void NameIni(const std::string& iniFile) {
        std::string reg = Read("driver.reg");
        const std::string from = "\"INIFile\"=\"vexaro.ini\"";
        for (size_t at = reg.find(from); at != std::string::npos; at = reg.find(from, at + 1)) {
            reg.replace(at, from.size(), "\"INIFile\"=\"" + iniFile + "\"");
        }
        Write("driver.reg", reg);
    }
    Result Do(const std::string& command, const std::string& windir = "win") const {
        std::vector<std::string> args = {command, "--registry", "driver.reg", "--windir", windir};
        if (command == "apply") args.push_back("Check1_1=off");
        return Run(args);
    }
};

// A symbolic link is followed only while it stays in the folders: one that
// leads out (itself, through a folder on the way, or through another link)
// or to nothing is refused by every command, and nothing is written there.
TEST(Paths, LinksOutOfTheFoldersAreRefused) {
    struct Case {
        const char* name;
        const char* iniFile;  // as the data names it (\ in the registry file)
        std::function<void(LinkData&)> make;
        const char* why;
    };
    const char* const out = "leads out of the Windows folder through a symbolic link";
    const Case cases[] = {
        {"file", "vexaro.ini",
         [](LinkData& s) { fs::create_symlink("../out/vexaro.ini", s.Path("win/vexaro.ini")); },
         out},
        {"folder", "SUB\\\\vexaro.ini",
         [](LinkData& s) { fs::create_directory_symlink("../out", s.Path("win/SUB")); }, out},
        {"chain", "vexaro.ini",
         [](LinkData& s) {
             fs::create_symlink("real/next.ini", s.Path("win/vexaro.ini"));
             fs::create_symlink("../../out/vexaro.ini", s.Path("win/real/next.ini"));
         },
         out},
        {"absolute", "vexaro.ini",
         [](LinkData& s) {
             fs::create_symlink(s.Path("out/vexaro.ini"), s.Path("win/vexaro.ini"));
         },
         out},
        {"to nothing", "vexaro.ini",
         [](LinkData& s) { fs::create_symlink("../out/none.ini", s.Path("win/vexaro.ini")); },
         "leads through a symbolic link to nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkData s;
        s.NameIni(c.iniFile);
        c.make(s);
        const std::string before = s.Read("out/vexaro.ini");
        Result check = s.Do("check");
        EXPECT_EQ(check.exitCode, 1);
        EXPECT_TRUE(Contains(check.out, "ini-path: 1 error\n")) << check.out;
        EXPECT_TRUE(Contains(check.out, c.why)) << check.out;
        Result apply = s.Do("apply");
        EXPECT_EQ(apply.exitCode, 2);
        EXPECT_TRUE(Contains(apply.err, c.why)) << apply.err;
        EXPECT_EQ(apply.out, "");
        EXPECT_EQ(s.Read("out/vexaro.ini"), before);
        EXPECT_FALSE(fs::exists(s.Path("out/none.ini")));
    }
}

// The folders themselves may be links: what counts is where they are.
TEST(Paths, LinksInsideTheFoldersAreFollowed) {
    LinkData s;
    fs::rename(s.Path("out/vexaro.ini"), s.Path("win/real/vexaro.ini"));
    fs::create_symlink("real/vexaro.ini", s.Path("win/vexaro.ini"));
    fs::create_directory_symlink("win", s.Path("windows"));
    Result r = s.Do("apply", "windows");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "vexaro.ini [Acceleration] TextFlags: 5 -> 1")) << r.out;
    EXPECT_TRUE(fs::is_symlink(s.Path("win/vexaro.ini")));
    EXPECT_TRUE(Contains(s.Read("win/real/vexaro.ini"), "TextFlags=1\r\n"));
}

// What stands at the INI file's name is named as it is: a folder, a pipe or
// a device is not a missing file and not a read-only one.
TEST(Paths, AnIniNameThatIsNoFileIsNamedAsWhatItIs) {
    struct Case {
        const char* name;
        std::function<bool(const std::string&)> make;
        const char* what;
    };
    const Case cases[] = {
        {"directory", [](const std::string& p) { return mkdir(p.c_str(), 0755) == 0; },
         "is a directory"},
        {"pipe", [](const std::string& p) { return mkfifo(p.c_str(), 0644) == 0; },
         "is not a regular file"},
        {"device",
         [](const std::string& p) { return mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0; },
         "is not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkData s;
        if (!c.make(s.Path("win/vexaro.ini"))) {
            EXPECT_EQ(std::string(c.name), "device") << "cannot make it";
            continue;  // only root makes a device
        }
        Result check = s.Do("check");
        EXPECT_EQ(check.exitCode, 1);
        EXPECT_TRUE(Contains(check.out, "ini-not-file: 1 error\n")) << check.out;
        EXPECT_TRUE(Contains(check.out, std::string(c.what) + " (win/vexaro.ini)")) << check.out;
        EXPECT_FALSE(Contains(check.out, "Apply creates it")) << check.out;
        Result apply = s.Do("apply");
        EXPECT_EQ(apply.exitCode, 2);
        EXPECT_EQ(apply.err,
                  "vexaro: INIFile \"vexaro.ini\" (Check1_1, Check1_2, Check1_3, "
                  "Check1_4, Radio2_1, Radio2_2, Radio2_3, Check3_1, Check3_2, "
                  "Check4_1, Check4_2) " +
                      std::string(c.what) + " (win/vexaro.ini)\n");
        EXPECT_EQ(apply.out, "");
    }
}

// The file the data comes from is never written as an INI file, however
// the data names it: apply refuses, naming both, and the file stays whole.
TEST(Paths, TheInputIsNeverAnIniFile) {
    struct Case {
        const char* iniFile;
        const char* input;  // "inf": the data as an INF file
        const char* named;
    };
    const Case cases[] = {
        {"driver.reg", "reg", "is the registry file driver.reg, which this run reads"},
        {"DRIVER.REG", "reg", "is the registry file driver.reg, which this run reads"},
        {"C:\\\\driver.reg", "reg", "is the registry file driver.reg, which this run reads"},
        {"driver.inf", "inf", "is the INF file driver.inf, which this run reads"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.iniFile);
        LinkData s;
        s.NameIni(c.iniFile);
        const bool inf = std::string(c.input) == "inf";
        if (inf) {
            Result made = s.Run({"inf", "--registry", "driver.reg"});
            ASSERT_EQ(made.exitCode, 0) << made.err;
            s.Write("driver.inf", made.out);
        }
        const std::string input = inf ? "driver.inf" : "driver.reg";
        const std::string bytes = s.Read(input);
        for (const char* command : {"check", "apply"}) {
            std::vector<std::string> args = {
                command, inf ? "--inf" : "--registry", input, "--windir", ".", "--drive", "."};
            if (std::string(command) == "apply") args.push_back("Check1_1=on");
            Result r = s.Run(args);
            EXPECT_EQ(r.exitCode, std::string(command) == "apply" ? 2 : 1);
            EXPECT_TRUE(Contains(r.out + r.err, c.named)) << r.out << r.err;
        }
        EXPECT_EQ(s.Read(input), bytes);
    }
}

TEST(Paths, DriveFolderMustExist) {
    PathData s;
    Result r = s.Run({"check", "--registry", "paths.reg", "--windir", "win", "--drive", "nope"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vexaro: cannot open drive folder nope: No such file or directory\n");
}

}  // namespace
}  // namespace vexarotest
