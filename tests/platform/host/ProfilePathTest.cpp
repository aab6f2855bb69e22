// Windows INI file names on the host: where each form leads, and that no
// form leads outside the Windows folder and the drive root.
#include <gtest/gtest.h>

#include "platform/host/ProfilePath.h"

namespace {

using vx::ProfilePathVerdict;

TEST(ProfilePath, FormsAndWhereTheyLead) {
    const vx::ProfileFolders folders{"/w/WINDOWS", "/w/drive"};
    const vx::ProfileFolders noDrive{"/w/WINDOWS", ""};
    using V = ProfilePathVerdict;
    struct Case {
        const char* name;
        ProfilePathVerdict verdict;
        const char* path;            // with a drive root
        ProfilePathVerdict without;  // without one
    } const cases[] = {
        {"vexaro.ini", V::kResolved, "/w/WINDOWS/vexaro.ini", V::kResolved},
        {"SYSTEM\\a.ini", V::kResolved, "/w/WINDOWS/SYSTEM/a.ini", V::kResolved},
        {".\\SYSTEM\\..\\a.ini", V::kResolved, "/w/WINDOWS/a.ini", V::kResolved},
        // The last ".." that stays inside, and the first that does not.
        {"SYSTEM\\..\\a.ini", V::kResolved, "/w/WINDOWS/a.ini", V::kResolved},
        {"SYSTEM\\..\\..\\a.ini", V::kOutsideFolder, "", V::kOutsideFolder},
        {"C:a.ini", V::kResolved, "/w/WINDOWS/a.ini", V::kResolved},
        {"\\a.ini", V::kResolved, "/w/drive/a.ini", V::kNeedsDrive},
        {"C:\\WINDOWS\\a.ini", V::kResolved, "/w/drive/WINDOWS/a.ini", V::kNeedsDrive},
        {"c:/x/a.ini", V::kResolved, "/w/drive/x/a.ini", V::kNeedsDrive},
        // ".." stops at the root, as on Windows.
        {"C:\\..\\..\\etc\\a.ini", V::kResolved, "/w/drive/etc/a.ini", V::kNeedsDrive},
        {"D:\\a.ini", V::kOtherDrive, "", V::kOtherDrive},
        {"\\\\server\\share\\a.ini", V::kNetwork, "", V::kNetwork},
        {"\\\\.\\PhysicalDrive0", V::kNetwork, "", V::kNetwork},
        {"//server/a.ini", V::kNetwork, "", V::kNetwork},
        {"/etc/passwd", V::kHostPath, "", V::kHostPath},
        {"a.ini:stream", V::kBadName, "", V::kBadName},
        {"a\x01.ini", V::kBadName, "", V::kBadName},
        {"*.ini", V::kBadName, "", V::kBadName},
        {"", V::kEmpty, "", V::kEmpty},
        {"SYSTEM\\", V::kEmpty, "", V::kEmpty},
        {"C:\\", V::kEmpty, "", V::kEmpty},
        {"..", V::kEmpty, "", V::kEmpty},
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
