// The host profile functions' copy of the INI files: writes are kept until
// a write-back and seen by reads before it, each file is replaced once, and
// whatever another process does to a file is seen at the next call and
// survives the kept edits.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/HostProfile.h"
#include "platform/host/HostShellServices.h"
#include "platform/host/ProfileCache.h"
#include "support/TestPlatform.h"
#include "support/host/TempFolder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
    return vxtest::TestPlatform::ReadFile(path);
}

// In place, as an editor that truncates and writes does.
void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

ino_t Inode(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Moves the file's modification time ten seconds back, as if it had been
// written well before: a copy read from now on has settled, with no wait
// for the file system's clock to move on.
void Age(const std::string& path) {
    std::error_code error;
    fs::last_write_time(path, fs::last_write_time(path) - std::chrono::seconds(10), error);
    EXPECT_FALSE(error) << path;
}

class ProfileCacheTest : public testing::Test {
  protected:
    ProfileCacheTest() {
        EXPECT_FALSE(m_dir.empty());
        // The tests name the files by their host paths.
        m_profile = std::make_unique<vx::HostProfile>(vx::ProfileFolders{m_dir, {}, true});
        vx::TakeUnwrittenProfileFiles();
    }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    uint32_t Get(const std::string& file, const char* key, int32_t def = -1) {
        return m_profile->GetInt("S", key, def, Path(file).c_str());
    }
    int Set(const std::string& file, const char* key, const char* value) {
        return m_profile->WriteString("S", key, value, Path(file).c_str());
    }
    // Deletes the key, or with none the whole section S.
    int Delete(const std::string& file, const char* key) {
        return m_profile->WriteString("S", key, nullptr, Path(file).c_str());
    }
    // a.ini holding A=1 in section S, as another program writes it; its inode.
    ino_t WriteA1() {
        WriteText(Path("a.ini"), "[S]\r\nA=1\r\n");
        return Inode(Path("a.ini"));
    }

    vxtest::TempFolder m_folder{"vxcache"};
    const std::string m_dir = m_folder.Path();
    std::unique_ptr<vx::HostProfile> m_profile;
};

TEST_F(ProfileCacheTest, WritesAreKeptUntilTheWriteBackAndReadBeforeIt) {
    const ino_t before = WriteA1();

    EXPECT_EQ(1, Set("a.ini", "A", "2"));
    EXPECT_EQ(1, Set("a.ini", "B", "3"));
    EXPECT_EQ(1, Set("a.ini", "A", "4"));
    EXPECT_EQ(1, Set("new.ini", "C", "5"));
    EXPECT_EQ(1, Delete("a.ini", "B"));

    // Nothing on the disk yet; the reads see every write.
    EXPECT_EQ("[S]\r\nA=1\r\n", ReadText(Path("a.ini")));
    EXPECT_EQ(before, Inode(Path("a.ini")));
    EXPECT_FALSE(fs::exists(Path("new.ini")));
    EXPECT_EQ(4u, Get("a.ini", "A"));
    EXPECT_EQ(0xFFFFFFFFu, Get("a.ini", "B"));
    EXPECT_EQ(5u, Get("new.ini", "C"));
    // A new file is found under another spelling before it is on the disk.
    EXPECT_EQ(5u, Get("NEW.INI", "C"));

    vx::WriteBackProfileFiles();
    EXPECT_EQ("[S]\r\nA=4\r\n", ReadText(Path("a.ini")));
    EXPECT_EQ("[S]\r\nC=5\r\n", ReadText(Path("new.ini")));
    EXPECT_NE(before, Inode(Path("a.ini")));
    EXPECT_TRUE(vx::TakeUnwrittenProfileFiles().empty());

    // Written back once: a second write-back has nothing to do.
    const ino_t written = Inode(Path("a.ini"));
    vx::WriteBackProfileFiles();
    EXPECT_EQ(written, Inode(Path("a.ini")));
}

TEST_F(ProfileCacheTest, EditsThatEndWhereTheyBeganTouchNothing) {
    const ino_t before = WriteA1();
    EXPECT_EQ(1, Set("a.ini", "A", "2"));
    EXPECT_EQ(1, Set("a.ini", "A", "1"));
    EXPECT_EQ(1, Set("gone.ini", "A", "1"));
    EXPECT_EQ(1, Delete("gone.ini", nullptr));
    vx::WriteBackProfileFiles();
    EXPECT_EQ(before, Inode(Path("a.ini")));
    EXPECT_FALSE(fs::exists(Path("gone.ini")));
}

TEST_F(ProfileCacheTest, AChangeByAnotherProcessIsSeenAtTheNextCall) {
    const std::string path = Path("a.ini");
    // Rewritten in place at once, to the same size: only the time, which
    // may not have moved on, could tell.
    for (int value = 1; value <= 5; ++value) {
        SCOPED_TRACE(value);
        WriteText(path, "[S]\r\nA=" + std::to_string(value) + "\r\n");
        EXPECT_EQ(static_cast<uint32_t>(value), Get("a.ini", "A"));
        EXPECT_EQ(static_cast<uint32_t>(value), Get("a.ini", "A"));
    }
    // The same after the copy has settled.
    Age(path);
    EXPECT_EQ(5u, Get("a.ini", "A"));
    EXPECT_EQ(5u, Get("a.ini", "A"));
    WriteText(path, "[S]\r\nA=6\r\n");
    EXPECT_EQ(6u, Get("a.ini", "A"));
    // Replaced by another file, and removed.
    WriteText(Path("b.ini"), "[S]\r\nA=77\r\n");
    ASSERT_EQ(0, rename(Path("b.ini").c_str(), path.c_str()));
    EXPECT_EQ(77u, Get("a.ini", "A"));
    ASSERT_EQ(0, unlink(path.c_str()));
    EXPECT_EQ(0xFFFFFFFFu, Get("a.ini", "A"));
}

TEST_F(ProfileCacheTest, KeptEditsAreMadeAnewOnAnotherProcessChange) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\r\nA=1\r\nB=1\r\n");
    Age(path);
    EXPECT_EQ(1, Set("a.ini", "A", "2"));
    WriteText(path, "[S]\r\nA=1\r\nB=9\r\n[T]\r\nC=3\r\n");
    EXPECT_EQ(9u, Get("a.ini", "B"));
    EXPECT_EQ(2u, Get("a.ini", "A"));
    vx::WriteBackProfileFiles();
    EXPECT_EQ("[S]\r\nA=2\r\nB=9\r\n[T]\r\nC=3\r\n", ReadText(path));

    // Removed under kept edits: they make the file anew.
    EXPECT_EQ(1, Set("a.ini", "D", "4"));
    ASSERT_EQ(0, unlink(path.c_str()));
    vx::WriteBackProfileFiles();
    EXPECT_EQ("[S]\r\nD=4\r\n", ReadText(path));
}

TEST_F(ProfileCacheTest, AFileMadeReadOnlyBeforeTheWriteBackIsReported) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\r\nA=1\r\n");
    EXPECT_EQ(1, Set("a.ini", "A", "2"));
    ASSERT_EQ(0, chmod(path.c_str(), 0444));
    // Refused at once from now on; the earlier write fails at the write-back.
    EXPECT_EQ(0, Set("a.ini", "A", "3"));
    vx::WriteBackProfileFiles();
    EXPECT_EQ((std::map<std::string, std::string>{{path, "read-only file"}}),
              vx::TakeUnwrittenProfileFileCauses());
    EXPECT_EQ("[S]\r\nA=1\r\n", ReadText(path));
    EXPECT_EQ(1u, Get("a.ini", "A"));
}

TEST_F(ProfileCacheTest, WritesToOneFileTooManyWriteTheOldestBack) {
    const size_t files = vx::ProfileCache::kMaxPendingFiles;
    for (size_t i = 0; i < files; ++i) {
        EXPECT_EQ(1, Set(std::to_string(i) + ".ini", "A", "1"));
    }
    EXPECT_EQ(1, Set("0.ini", "B", "2"));  // 0.ini is now the latest written
    for (size_t i = 0; i < files; ++i) EXPECT_FALSE(fs::exists(Path(std::to_string(i) + ".ini")));
    EXPECT_EQ(1, Set("last.ini", "A", "1"));
    EXPECT_FALSE(fs::exists(Path("0.ini")));
    EXPECT_EQ("[S]\r\nA=1\r\n", ReadText(Path("1.ini")));
    EXPECT_FALSE(fs::exists(Path("2.ini")));
    EXPECT_FALSE(fs::exists(Path("last.ini")));
}

TEST_F(ProfileCacheTest, WrittenBackBeforeTheUserIsAskedAndWhenTheLastProfileGoes) {
    vx::HostShellServices shell;
    EXPECT_EQ(1, Set("a.ini", "A", "1"));
    shell.ShowMessageBox(nullptr, "Restart?", "Vexaro", 0);
    EXPECT_EQ("[S]\r\nA=1\r\n", ReadText(Path("a.ini")));
    EXPECT_EQ(1, Set("a.ini", "A", "2"));
    shell.ChangeDisplayMode(nullptr, 0);
    EXPECT_EQ("[S]\r\nA=2\r\n", ReadText(Path("a.ini")));
    EXPECT_EQ(1, Set("a.ini", "A", "3"));
    shell.RestartSystem(0, 0);
    EXPECT_EQ("[S]\r\nA=3\r\n", ReadText(Path("a.ini")));

    EXPECT_EQ(1, Set("a.ini", "A", "4"));
    m_profile.reset();
    EXPECT_EQ("[S]\r\nA=4\r\n", ReadText(Path("a.ini")));
}

}  // namespace
