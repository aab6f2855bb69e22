// Windows INI file names on the host: where each form leads, and that no
// form leads outside the Windows folder and the drive root.
#include <gtest/gtest.h>

#include "platform/host/ProfilePath.h"

namespace {

using vx::ProfilePathVerdict;

TEST(ProfilePath, FormsAndWhereTheyLead) {
    const vx::ProfileFolders folders{"/w/WINDOWS", "/w/drive"};
    const vx::ProfileFolders noDrive{"/w/WINDOWS", ""};
    struct Case {
        const char* name;
        ProfilePathVerdict verdict;
        const char* path;            // with a drive root
        ProfilePathVerdict without;  // without one
    } const cases[] = {
        {"vexaro.ini", ProfilePathVerdict::kResolved, "/w/WINDOWS/vexaro.ini",
         ProfilePathVerdict::kResolved},
        {"SYSTEM\\a.ini", ProfilePathVerdict::kResolved, "/w/WINDOWS/SYSTEM/a.ini",
         ProfilePathVerdict::kResolved},
        {".\\SYSTEM\\..\\a.ini", ProfilePathVerdict::kResolved, "/w/WINDOWS/a.ini",
         ProfilePathVerdict::kResolved},
        // The last ".." that stays inside, and the first that does not.
        {"SYSTEM\\..\\a.ini", ProfilePathVerdict::kResolved, "/w/WINDOWS/a.ini",
         ProfilePathVerdict::kResolved},
        {"SYSTEM\\..\\..\\a.ini", ProfilePathVerdict::kOutsideFolder, "",
         ProfilePathVerdict::kOutsideFolder},
        {"C:a.ini", ProfilePathVerdict::kResolved, "/w/WINDOWS/a.ini",
         ProfilePathVerdict::kResolved},
        {"\\a.ini", ProfilePathVerdict::kResolved, "/w/drive/a.ini",
         ProfilePathVerdict::kNeedsDrive},
        {"C:\\WINDOWS\\a.ini", ProfilePathVerdict::kResolved, "/w/drive/WINDOWS/a.ini",
         ProfilePathVerdict::kNeedsDrive},
        {"c:/x/a.ini", ProfilePathVerdict::kResolved, "/w/drive/x/a.ini",
         ProfilePathVerdict::kNeedsDrive},
        // ".." stops at the root, as on Windows.
        {"C:\\..\\..\\etc\\a.ini", ProfilePathVerdict::kResolved, "/w/drive/etc/a.ini",
         ProfilePathVerdict::kNeedsDrive},
        {"D:\\a.ini", ProfilePathVerdict::kOtherDrive, "", ProfilePathVerdict::kOtherDrive},
        {"\\\\server\\share\\a.ini", ProfilePathVerdict::kNetwork, "",
         ProfilePathVerdict::kNetwork},
        {"\\\\.\\PhysicalDrive0", ProfilePathVerdict::kNetwork, "", ProfilePathVerdict::kNetwork},
        {"//server/a.ini", ProfilePathVerdict::kNetwork, "", ProfilePathVerdict::kNetwork},
        {"/etc/passwd", ProfilePathVerdict::kHostPath, "", ProfilePathVerdict::kHostPath},
        {"a.ini:stream", ProfilePathVerdict::kBadName, "", ProfilePathVerdict::kBadName},
        {"a\x01.ini", ProfilePathVerdict::kBadName, "", ProfilePathVerdict::kBadName},
        {"*.ini", ProfilePathVerdict::kBadName, "", ProfilePathVerdict::kBadName},
        {"", ProfilePathVerdict::kEmpty, "", ProfilePathVerdict::kEmpty},
        {"SYSTEM\\", ProfilePathVerdict::kEmpty, "", ProfilePathVerdict::kEmpty},
        {"C:\\", ProfilePathVerdict::kEmpty, "", ProfilePathVerdict::kEmpty},
        {"..", ProfilePathVerdict::kEmpty, "", ProfilePathVerdict::kEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = "untouched";
        EXPECT_EQ(vx::ClassifyProfilePath(c.name, folders, &path, false), c.verdict);
        EXPECT_EQ(path, c.verdict == ProfilePathVerdict::kResolved ? c.path : "untouched");
        EXPECT_EQ(vx::ClassifyProfilePath(c.name, noDrive, &path, false), c.without);
    }
    EXPECT_EQ(vx::ClassifyProfilePath(nullptr, folders, nullptr), ProfilePathVerdict::kEmpty);
}

// Only where the caller asks for it, a name from either separator is a
// path of the host.
TEST(ProfilePath, HostPathsWhenAskedFor) {
    const vx::ProfileFolders folders{"/w/WINDOWS", "/w/drive", true};
    std::string path;
    ASSERT_TRUE(vx::ResolveProfilePath("/etc/x.ini", folders, &path, false));
    EXPECT_EQ(path, "/etc/x.ini");
    ASSERT_TRUE(vx::ResolveProfilePath("\\etc\\x.ini", folders, &path, false));
    EXPECT_EQ(path, "/etc/x.ini");
    EXPECT_FALSE(vx::ResolveProfilePath("\\\\server\\x.ini", folders, &path, false));
    ASSERT_TRUE(vx::ResolveProfilePath("C:\\x.ini", folders, &path, false));
    EXPECT_EQ(path, "/w/drive/x.ini");
}

}  // namespace
