// The host profile functions where only the host can be asked: exact bytes
// of a file after a series of edits, how the file is replaced, failures,
// and how Windows file names map to host paths.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/HostProfile.h"
#include "platform/host/ProfileCache.h"
#include "support/host/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// The file as another process sees it once the kept writes are written back.
std::string ReadText(const std::string& path) {
    vx::WriteBackProfileFiles();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class HostProfileTest : public testing::Test {
  protected:
    HostProfileTest() {
        EXPECT_FALSE(m_dir.empty());
        fs::create_directory(m_dir + "/windows");
        fs::create_directory(m_dir + "/drive");
    }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    vxtest::TempFolder m_folder{"vxini"};
    const std::string m_dir = m_folder.Path();
    // The tests name most files by their host paths.
    vx::HostProfile m_profile{vx::ProfileFolders{m_dir + "/windows", m_dir + "/drive", true}};
};

TEST_F(HostProfileTest, EditsTouchOnlyTheirOwnBytes) {
    const std::string path = Path("app.ini");
    WriteText(path,
              "\xEF\xBB\xBF; settings\r\n"
              "\r\n"
              "[Display]\r\n"
              "  Flags\t=  12  \r\n"
              "; keep this\r\n"
              "Mode=1\r\n"
              "\r\n"
              "\r\n"
              "[Other]\n"
              "x=y\n"
              "[Last]\r\n"
              "tail=1");

    EXPECT_EQ(1, m_profile.WriteString("display", "FLAGS", "13", path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("Display", "Extra", "5", path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("Last", "more", "2", path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("Other", "x", nullptr, path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("New", "k", "v", path.c_str()));

    EXPECT_EQ(
        "\xEF\xBB\xBF; settings\r\n"
        "\r\n"
        "[Display]\r\n"
        "  Flags\t=  13  \r\n"
        "; keep this\r\n"
        "Mode=1\r\n"
        "Extra=5\r\n"
        "\r\n"
        "\r\n"
        "[Other]\n"
        "[Last]\r\n"
        "tail=1\r\n"
        "more=2\r\n"
        "[New]\r\n"
        "k=v",
        ReadText(path));
    EXPECT_EQ(13u, m_profile.GetInt("Display", "Flags", 0, path.c_str()));

    EXPECT_EQ(1, m_profile.WriteString("Display", nullptr, nullptr, path.c_str()));
    EXPECT_EQ("\xEF\xBB\xBF; settings\r\n\r\n[Other]\n[Last]\r\ntail=1\r\nmore=2\r\n[New]\r\nk=v",
              ReadText(path));
}

TEST_F(HostProfileTest, DeletingTheLastLineKeepsTheMissingLineEnding) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\nA=1\nB=2");
    EXPECT_EQ(1, m_profile.WriteString("S", "B", nullptr, path.c_str()));
    EXPECT_EQ("[S]\nA=1", ReadText(path));
}

TEST_F(HostProfileTest, BlankLineAfterALoneCarriageReturnStaysALine) {
    // The file's first line end is a lone CR, which added lines take; before
    // a blank line of a lone LF the two would read as one CR LF.
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\rA=1\n\n[T]\n");
    EXPECT_EQ(1, m_profile.WriteString("S", "B", "2", path.c_str()));
    EXPECT_EQ("[S]\rA=1\nB=2\r\n\n[T]\n", ReadText(path));

    // Removing the line between a lone CR and such a blank line.
    WriteText(path, "[S]\rA=1\rB=2\n\n[T]\nC=3\n");
    EXPECT_EQ(1, m_profile.WriteString("S", "B", nullptr, path.c_str()));
    EXPECT_EQ("[S]\rA=1\r\n\n[T]\nC=3\n", ReadText(path));
    EXPECT_EQ(3u, m_profile.GetInt("T", "C", 0, path.c_str()));
}

TEST_F(HostProfileTest, FileIsReplacedWholeKeepingItsPermissions) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\r\nA=1\r\n");
    ASSERT_EQ(0, chmod(path.c_str(), 0640));
    struct stat before;
    ASSERT_EQ(0, stat(path.c_str(), &before));

    EXPECT_EQ(1, m_profile.WriteString("S", "A", "2", path.c_str()));
    vx::WriteBackProfileFiles();

    struct stat after;
    ASSERT_EQ(0, stat(path.c_str(), &after));
    EXPECT_NE(before.st_ino, after.st_ino) << "written in place";
    EXPECT_EQ(0640u, after.st_mode & 07777);
    EXPECT_EQ((std::vector<std::string>{"a.ini", "drive", "windows"}), Entries());
}

TEST_F(HostProfileTest, UnchangedFileIsNotRewritten) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\r\nA=1\r\n");
    struct stat before;
    ASSERT_EQ(0, stat(path.c_str(), &before));
    EXPECT_EQ(1, m_profile.WriteString("S", "A", "1", path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("S", "Gone", nullptr, path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("Gone", nullptr, nullptr, path.c_str()));
    vx::WriteBackProfileFiles();
    struct stat after;
    ASSERT_EQ(0, stat(path.c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(HostProfileTest, EditGivingTheSameBytesDoesNotRewriteTheFile) {
    // Deleting an unnamed section that is only the UTF-8 mark keeps the mark.
    const std::string path = Path("a.ini");
    WriteText(path, "\xEF\xBB\xBF");
    struct stat before;
    ASSERT_EQ(0, stat(path.c_str(), &before));
    EXPECT_EQ(1, m_profile.WriteString("", nullptr, nullptr, path.c_str()));
    vx::WriteBackProfileFiles();
    struct stat after;
    ASSERT_EQ(0, stat(path.c_str(), &after));
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ("\xEF\xBB\xBF", ReadText(path));
}

TEST_F(HostProfileTest, SymbolicLinkStaysAndItsTargetIsWritten) {
    const std::string target = Path("real.ini");
    const std::string link = Path("link.ini");
    WriteText(target, "[S]\r\nA=1\r\n");
    ASSERT_EQ(0, symlink(target.c_str(), link.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("S", "A", "2", link.c_str()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ("[S]\r\nA=2\r\n", ReadText(target));
}

TEST_F(HostProfileTest, ReadOnlyFileIsLeftAlone) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\r\nA=1\r\n");
    ASSERT_EQ(0, chmod(path.c_str(), 0444));
    EXPECT_EQ(0, m_profile.WriteString("S", "A", "2", path.c_str()));
    EXPECT_EQ(0, m_profile.WriteString("S", "A", "1", path.c_str()));
    EXPECT_EQ(0, m_profile.WriteString("S", nullptr, nullptr, path.c_str()));
    EXPECT_EQ("[S]\r\nA=1\r\n", ReadText(path));
    EXPECT_EQ(1u, m_profile.GetInt("S", "A", 0, path.c_str()));
}

TEST_F(HostProfileTest, FailuresLeaveNothingBehind) {
    EXPECT_EQ(0, m_profile.WriteString("S", "A", "1", Path("no/such/a.ini").c_str()));
    EXPECT_EQ(0, m_profile.WriteString("S", "A", nullptr, Path("no/a.ini").c_str()));
    fs::create_directory(Path("folder.ini"));
    EXPECT_EQ(0, m_profile.WriteString("S", "A", "1", Path("folder.ini").c_str()));
    EXPECT_EQ(5u, m_profile.GetInt("S", "A", 5, Path("folder.ini").c_str()));
    EXPECT_EQ((std::vector<std::string>{"drive", "folder.ini", "windows"}), Entries());
}

TEST_F(HostProfileTest, FullDiskKeepsTheOldFileAndReportsItsWrites) {
    const std::string path = Path("a.ini");
    const std::string original = "[S]\r\nA=1\r\n" + std::string(200, ';') + "\r\n";
    WriteText(path, original);
    vx::TakeUnwrittenProfileFiles();

    // The writes are kept; the disk fills up before the write-back.
    EXPECT_EQ(1, m_profile.WriteString("S", "A", "2", path.c_str()));
    EXPECT_EQ(1, m_profile.WriteString("S", "B", "3", Path("A.INI").c_str()));
    // A file size limit makes every write past 64 bytes fail, as a full disk does.
    struct rlimit saved;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    struct rlimit small = saved;
    small.rlim_cur = 64;
    auto* previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    vx::WriteBackProfileFiles();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    // Under every name it was written by.
    EXPECT_EQ((std::set<std::string>{path, Path("A.INI")}), vx::TakeUnwrittenProfileFiles());
    EXPECT_TRUE(vx::TakeUnwrittenProfileFiles().empty()) << "reported once";
    EXPECT_EQ(original, ReadText(path));
    // The copy went with the failure: reads see the file as it is.
    EXPECT_EQ(1u, m_profile.GetInt("S", "A", 0, path.c_str()));
    EXPECT_EQ((std::vector<std::string>{"a.ini", "drive", "windows"}), Entries());
}

TEST_F(HostProfileTest, LineBreaksInNamesOrValuesAreRefused) {
    const std::string path = Path("a.ini");
    WriteText(path, "[S]\r\nA=1\r\n");
    EXPECT_EQ(0, m_profile.WriteString("S", "A", "1\r\n[Evil]\r\nB=2", path.c_str()));
    EXPECT_EQ(0, m_profile.WriteString("S", "A\nB", "1", path.c_str()));
    EXPECT_EQ(0, m_profile.WriteString("S]\n[T", "A", "1", path.c_str()));
    EXPECT_EQ("[S]\r\nA=1\r\n", ReadText(path));
}

TEST_F(HostProfileTest, WindowsFileNamesMapToHostPaths) {
    WriteText(Path("windows/System.ini"), "[S]\r\nK=1\r\n");
    fs::create_directory(Path("drive/Apps"));
    WriteText(Path("drive/Apps/app.ini"), "[S]\r\nK=2\r\n");

    struct Case {
        const char* name;
        uint32_t expected;
    } const cases[] = {
        {"System.ini", 1},                // no folder: the Windows folder
        {"SYSTEM.INI", 1},                // any letter case
        {"C:\\Apps\\app.ini", 2},         // drive C: under the drive root
        {"c:/Apps/APP.INI", 2},           //
        {"D:\\Apps\\app.ini", 9},         // no other drive
        {"C:Apps\\app.ini", 9},           // nor a drive-relative name
        {"\\\\server\\share\\a.ini", 9},  // nor a network name
        {"", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, m_profile.GetInt("S", "K", 9, c.name));
    }
    std::string hostPath = Path("windows/System.ini");
    std::string windowsStyle = hostPath;
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    EXPECT_EQ(1u, m_profile.GetInt("S", "K", 9, windowsStyle.c_str()));

    EXPECT_EQ(1, m_profile.WriteString("S", "K", "3", "new.ini"));
    EXPECT_EQ("[S]\r\nK=3\r\n", ReadText(Path("windows/new.ini")));
    EXPECT_EQ(0, m_profile.WriteString("S", "K", "3", "D:\\new.ini"));

    vx::HostProfile withoutDrive(Path("windows"));
    EXPECT_EQ(9u, withoutDrive.GetInt("S", "K", 9, "C:\\Apps\\app.ini"));
    EXPECT_EQ(0, withoutDrive.WriteString("S", "K", "1", "C:\\Apps\\app.ini"));
}

}  // namespace
