// Replacing a file and holding locks on it: a replacement made while locks
// are active leaves the new file locked under the name, locks go when their
// owner goes, and a new file left behind by a process that was killed is
// removed by the next replacement of the same file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/host/AtomicFile.h"
#include "platform/host/FileDescriptor.h"
#include "platform/host/FileLock.h"
#include "support/TestPlatform.h"
#include "support/host/TempFolder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
    return vxtest::TestPlatform::ReadFile(path);
}

class AtomicFileTest : public testing::Test {
  protected:
    AtomicFileTest() { EXPECT_FALSE(m_dir.empty()); }
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    // Whether another open file description can take the file's lock now.
    bool Free(const std::string& name) const {
        vx::FileDescriptor fd(open(Path(name).c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0) return false;
        const bool taken = flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
        EXPECT_TRUE(taken || errno == EWOULDBLOCK);
        return taken;
    }

    vxtest::TempFolder m_folder{"vxatomic"};
    const std::string m_dir = m_folder.Path();
};

// A process id that no process has now: a child's, after it ended.
pid_t GoneProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

TEST_F(AtomicFileTest, TheNewFileHoldsTheLockAfterTheRename) {
    Write("a.ini", "old");
    {
        vx::FileLocks locks;
        vx::SetActiveFileLocks(&locks);
        ASSERT_EQ(locks.TryLock(Path("a.ini"), nullptr), vx::FileLocks::Result::kLocked);
        EXPECT_FALSE(Free("a.ini"));
        ASSERT_TRUE(vx::ReplaceFileAtomically(Path("a.ini"), "new"));
        EXPECT_EQ(ReadText(Path("a.ini")), "new");
        // The name leads to the new file, and that one is held.
        EXPECT_FALSE(Free("a.ini"));
        // Without active locks a replacement locks nothing.
        vx::SetActiveFileLocks(nullptr);
        Write("b.ini", "old");
        ASSERT_TRUE(vx::ReplaceFileAtomically(Path("b.ini"), "new"));
        EXPECT_TRUE(Free("b.ini"));
        vx::SetActiveFileLocks(&locks);
    }
    // Released with their owner, which stops being the active one.
    EXPECT_EQ(vx::ActiveFileLocks(), nullptr);
    EXPECT_TRUE(Free("a.ini"));
}

TEST_F(AtomicFileTest, LocksGoWhenReleasedOrWhenTheirOwnerGoes) {
    Write("a.ini", "a");
    Write("b.ini", "b");
    vx::FileLocks locks;
    ASSERT_EQ(locks.TryLock(Path("a.ini"), nullptr), vx::FileLocks::Result::kLocked);
    ASSERT_EQ(locks.TryLock(Path("b.ini"), nullptr), vx::FileLocks::Result::kLocked);
    // Held once however often asked for.
    ASSERT_EQ(locks.TryLock(Path("a.ini"), nullptr), vx::FileLocks::Result::kLocked);
    EXPECT_FALSE(Free("a.ini"));
    EXPECT_FALSE(Free("b.ini"));
    {
        vx::FileLocks other;
        EXPECT_EQ(other.TryLock(Path("a.ini"), nullptr), vx::FileLocks::Result::kBusy);
    }
    locks.ReleaseAll();
    EXPECT_TRUE(Free("a.ini"));
    EXPECT_TRUE(Free("b.ini"));
    {
        vx::FileLocks scoped;
        ASSERT_EQ(scoped.TryLock(Path("a.ini"), nullptr), vx::FileLocks::Result::kLocked);
        EXPECT_FALSE(Free("a.ini"));
    }
    EXPECT_TRUE(Free("a.ini"));
}

TEST_F(AtomicFileTest, LeftoversOfProcessesThatAreGoneAreRemoved) {
    Write("a.ini", "old");
    const std::string gone = std::to_string(GoneProcess());
    const std::string alive = std::to_string(getpid());
    // Of this file and a process that is gone: removed.
    const std::vector<std::string> removed = {"a.ini.~" + gone + "-0", "a.ini.~" + gone + "-17"};
    // A running process's, another file's, other names, a folder: kept.
    const std::vector<std::string> kept = {"a.ini.~" + alive + "-3", "b.ini.~" + gone + "-0",
                                           "a.ini.~" + gone,         "a.ini.~" + gone + "-1-2",
                                           "a.ini.~x" + gone + "-1", "a.ini~" + gone + "-1",
                                           "xa.ini.~" + gone + "-1"};
    for (const std::string& name : removed) Write(name, "partial");
    for (const std::string& name : kept) Write(name, "partial");
    fs::create_directory(Path("a.ini.~" + gone + "-5"));

    ASSERT_TRUE(vx::ReplaceFileAtomically(Path("a.ini"), "new"));
    EXPECT_EQ(ReadText(Path("a.ini")), "new");
    for (const std::string& name : removed) EXPECT_FALSE(fs::exists(Path(name))) << name;
    for (const std::string& name : kept) EXPECT_TRUE(fs::exists(Path(name))) << name;
    EXPECT_TRUE(fs::is_directory(Path("a.ini.~" + gone + "-5")));
    // Nothing of its own is left either.
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) entries += entry.path().empty() ? 0 : 1;
    EXPECT_EQ(entries, 1 + kept.size() + 1);
}

}  // namespace
