// The Windows test set-up itself: every test starts from clean keys and an
// empty INI folder, and the fail-safe switch reaches the logic's view.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "support/TestPlatform.h"

namespace {

const char* const kDriver = "System\\CurrentControlSet\\Services\\Class\\Display\\0001";

TEST(Win32TestPlatformTest, LoadingReplacesWhatEarlierLoadsLeft) {
    vxtest::TestPlatform test;
    test.LoadRegistry(
        "REGEDIT4\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro"
        "\\Association\\Check,1,1]\r\n\"OrMask\"=hex:01\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n\"CurrentDisplayKey\"=\"0001\"\r\n");
    EXPECT_TRUE(test.KeyExists(std::string(kDriver) + "\\Vexaro\\Association\\Check,1,1"));
    EXPECT_TRUE(test.ValueExists("SOFTWARE\\Corvane\\Lumetra", "CurrentDisplayKey"));

    test.LoadRegistry("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Other]\r\n");
    EXPECT_FALSE(test.KeyExists(kDriver));
    EXPECT_FALSE(test.KeyExists("SOFTWARE\\Corvane\\Lumetra"));
    EXPECT_TRUE(test.KeyExists("SOFTWARE\\Corvane\\Other"));
}

TEST(Win32TestPlatformTest, NextTestStartsClean) {
    {
        vxtest::TestPlatform first;
        first.LoadRegistry("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n");
    }
    vxtest::TestPlatform second;
    EXPECT_FALSE(second.KeyExists("SOFTWARE\\Corvane\\Lumetra"));
}

TEST(Win32TestPlatformTest, IniFolderLivesAsLongAsTheTest) {
    std::string folder;
    {
        vxtest::TestPlatform test;
        folder = test.IniDir();
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
        std::string path = test.IniPath("system.ini");
        vxtest::TestPlatform::WriteFile(path, "[Vexaro]\r\nFlags=3\r\n");
        EXPECT_EQ(GetPrivateProfileIntA("Vexaro", "Flags", 0, path.c_str()), 3u);
        EXPECT_EQ(vxtest::TestPlatform::ReadFile(path), "[Vexaro]\r\nFlags=3\r\n");
    }
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32TestPlatformTest, FailSafeAnswersOnlyTheStartMode) {
    vxtest::TestPlatform test;
    vx::ISystem& system = *vx::Platform().system;
    int screenWidth = system.GetSystemMetrics(SM_CXSCREEN);
    for (bool failSafe : {true, false, true}) {
        test.SetFailSafe(failSafe);
        EXPECT_EQ(vx::Platform().system->GetSystemMetrics(vx::kSmCleanBoot), failSafe ? 1 : 0);
        EXPECT_EQ(vx::Platform().system->GetSystemMetrics(SM_CXSCREEN), screenWidth);
    }
}

}  // namespace
