// The registry file after the page deleted data: only those values and keys
// leave it, everything else stays byte for byte; its mode stays, a symbolic
// link stays and its target is written, a read-only file is refused unless
// --force, and --no-registry leaves it alone. Concurrent applies take turns.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>

#include "ToolRunner.h"
#include "platform/host/FileDescriptor.h"

namespace vexarotest {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const char kIni[] = "[Options]\r\nFlags=0\r\n";

struct WriteBack : Scratch {
    WriteBack() {
        CopyTestData("writeback.reg");
        Write("example.ini", kIni);
    }
    Result Apply(const std::string& registry, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"apply", "--registry", registry, "--windir", "."};
        args.insert(args.end(), more.begin(), more.end());
        args.push_back("Check1_1=on");
        return Run(args);
    }
    std::string Expected() const { return TestData("writeback-expected.reg"); }
};

TEST(WriteBack, OnlyTheDeletedLinesLeave) {
    WriteBack s;
    ASSERT_EQ(chmod(s.Path("writeback.reg").c_str(), 0640), 0);
    Result r = s.Apply("writeback.reg");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("writeback.reg"), s.Expected());
    struct stat info;
    ASSERT_EQ(stat(s.Path("writeback.reg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_TRUE(Contains(r.out,
                         "removed Check1_3 (not admitted by Group1_2; with its "
                         "Association key)"))
        << r.out;
    EXPECT_EQ(s.Read("example.ini"), "[Options]\r\nFlags=1\r\n");
    // Written once, the file holds nothing more for the page to delete.
    const std::string once = s.Read("writeback.reg");
    ASSERT_EQ(s.Apply("writeback.reg").exitCode, 0);
    EXPECT_EQ(s.Read("writeback.reg"), once);
}

TEST(WriteBack, SymbolicLinkStaysAndItsTargetIsWritten) {
    WriteBack s;
    fs::create_directory(s.Path("data"));
    fs::rename(s.Path("writeback.reg"), s.Path("data/real.reg"));
    fs::create_symlink("data/real.reg", s.Path("link.reg"));
    Result r = s.Apply("link.reg");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(s.Path("link.reg")));
    EXPECT_EQ(s.Read("data/real.reg"), s.Expected());
}

TEST(WriteBack, ReadOnlyFileIsRefusedUnlessForced) {
    WriteBack s;
    const std::string original = s.Read("writeback.reg");
    ASSERT_EQ(chmod(s.Path("writeback.reg").c_str(), 0444), 0);
    Result r = s.Apply("writeback.reg");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("vexaro: writeback.reg is read-only", 0), 0u) << r.err;
    EXPECT_EQ(s.Read("writeback.reg"), original);
    EXPECT_EQ(s.Read("example.ini"), kIni);  // nothing written at all

    Result forced = s.Apply("writeback.reg", {"--force"});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(s.Read("writeback.reg"), s.Expected());
    struct stat info;
    ASSERT_EQ(stat(s.Path("writeback.reg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST(WriteBack, NoRegistryLeavesTheFileAndReportsTheDeletions) {
    WriteBack s;
    const std::string original = s.Read("writeback.reg");
    ASSERT_EQ(chmod(s.Path("writeback.reg").c_str(), 0444), 0);  // no matter then
    Result r = s.Apply("writeback.reg", {"--no-registry"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("writeback.reg"), original);
    EXPECT_TRUE(Contains(r.out, "removed Check1_3")) << r.out;
    EXPECT_TRUE(Contains(r.out, "writeback.reg not written back (--no-registry)")) << r.out;
    EXPECT_EQ(s.Read("example.ini"), "[Options]\r\nFlags=1\r\n");
}

// A run killed while it wrote leaves its new file beside the old one; the
// next apply removes what processes that are gone left, also beside a file
// it does not change, and leaves a running process's alone.
TEST(WriteBack, LeftoversOfKilledRunsAreRemoved) {
    WriteBack s;
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child);
    const std::string running = std::to_string(getpid());
    s.Write("other.ini", kIni);
    for (const std::string& name : {"example.ini.~" + gone + "-0", "writeback.reg.~" + gone + "-4",
                                    "example.ini.~" + running + "-1"}) {
        s.Write(name, "[Options]\r\nFla");
    }
    Result r = s.Apply("writeback.reg");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fs::exists(s.Path("example.ini.~" + gone + "-0")));
    EXPECT_FALSE(fs::exists(s.Path("writeback.reg.~" + gone + "-4")));
    EXPECT_TRUE(fs::exists(s.Path("example.ini.~" + running + "-1")));
    // Unchanged by the run: its leftover goes all the same.
    s.Write("example.ini.~" + gone + "-7", "x");
    ASSERT_EQ(s.Apply("writeback.reg").exitCode, 0);
    EXPECT_FALSE(fs::exists(s.Path("example.ini.~" + gone + "-7")));
}

// Eight entries in eight keys of one INI file, each switched on by its own
// apply, all started at once: every change is in the file afterwards.
TEST(Locking, ConcurrentAppliesLoseNothing) {
    Scratch s;
    const std::string key =
        "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0000\\Vexaro";
    std::string reg =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n"
        "\"CurrentDisplayKey\"=\"0000\"\r\n\r\n[" +
        key + "\\Layout]\r\n\"Group1_9\"=\"All\"\r\n";
    for (int i = 1; i <= 8; ++i) reg += "\"Check1_" + std::to_string(i) + "\"=\"x\"\r\n";
    // One Layout value is pruned, so that every run writes the registry too.
    reg += "\"Check2_1\"=\"stray\"\r\n";
    for (int i = 1; i <= 8; ++i) {
        reg += "\r\n[" + key + "\\Association\\Check1_" + std::to_string(i) +
               "]\r\n\"INIFile\"=\"shared.ini\"\r\n\"Section\"=\"S\"\r\n\"KeyString\"=\"K" +
               std::to_string(i) + "\"\r\n\"AndMask\"=hex:fe\r\n\"OrMask\"=hex:01\r\n";
    }
    s.Write("driver.reg", reg);
    s.Write("shared.ini", "[S]\r\n");
    std::vector<std::future<Result>> runs;
    for (int i = 1; i <= 8; ++i) {
        runs.push_back(std::async(std::launch::async, [&s, i] {
            return s.Run({"apply", "--registry", "driver.reg", "--windir", ".",
                          "Check1_" + std::to_string(i) + "=on"});
        }));
    }
    for (auto& run : runs) {
        Result r = run.get();
        EXPECT_EQ(r.exitCode, 0) << r.err;
    }
    const std::string ini = s.Read("shared.ini");
    for (int i = 1; i <= 8; ++i) {
        EXPECT_TRUE(Contains(ini, "K" + std::to_string(i) + "=1\r\n")) << i << "\n" << ini;
    }
    EXPECT_FALSE(Contains(s.Read("driver.reg"), "stray"));
}

// Another holder of the registry file: --no-wait gives up at once, a run
// without it waits and then goes on.
TEST(Locking, SecondRunWaitsOrGivesUp) {
    WriteBack s;
    vx::FileDescriptor fd(open(s.Path("writeback.reg").c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_TRUE(fd);
    ASSERT_EQ(flock(fd.get(), LOCK_EX), 0);
    Result busy = s.Apply("writeback.reg", {"--no-wait"});
    EXPECT_EQ(busy.exitCode, 2);
    EXPECT_EQ(busy.err,
              "vexaro: writeback.reg is in use by another apply (--no-wait: nothing done)\n");
    EXPECT_EQ(s.Read("example.ini"), kIni);

    auto waiting = std::async(std::launch::async, [&s] { return s.Apply("writeback.reg"); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(500)), std::future_status::timeout);
    EXPECT_EQ(s.Read("example.ini"), kIni);
    fd.reset();  // gives the lock up
    Result r = waiting.get();
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("example.ini"), "[Options]\r\nFlags=1\r\n");
}

}  // namespace
}  // namespace vexarotest
