// The host backend's basic services: outside libraries, start mode and
// keyboard, debug output, the help library's path, and their installation.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "platform/framework/FrameworkString.h"
#include "platform/host/HostPlatform.h"
#include "support/TestPlatform.h"
#include "support/host/HostAccess.h"

namespace vxtest {
namespace {

int Seven() {
    return 7;
}
int Eight() {
    return 8;
}

TEST(HostLibrariesTest, LoadsRegisteredStandInsByName) {
    vx::HostLibraries libraries;
    libraries.Register("FeroLib.DLL", {{"Seven", vx::HostLibraries::Symbol(&Seven)},
                                       {"Eight", vx::HostLibraries::Symbol(&Eight)}});
    EXPECT_EQ(libraries.Load("tandrel.dll"), nullptr);
    vx::LibraryHandle a = libraries.Load("ferolib.dll");
    vx::LibraryHandle b = libraries.Load("C:\\WINDOWS\\SYSTEM\\FEROLIB");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(libraries.LoadAttempts("FEROLIB.dll"), 2);
    EXPECT_EQ(libraries.LoadAttempts("tandrel.dll"), 1);
    EXPECT_EQ(libraries.GetProc(a, "Seven"), vx::HostLibraries::Symbol(&Seven));
    EXPECT_EQ(libraries.GetProc(a, "seven"), nullptr);  // entry points are case-sensitive
    EXPECT_EQ(libraries.LoadedCount(), 2);

    libraries.StripEntryPoint("ferolib.dll", "Eight");
    libraries.Remove("ferolib.dll");
    EXPECT_EQ(libraries.Load("ferolib.dll"), nullptr);
    EXPECT_EQ(libraries.GetProc(a, "Eight"), nullptr);
    EXPECT_NE(libraries.GetProc(a, "Seven"), nullptr);  // a loaded library stays usable
    EXPECT_EQ(libraries.Free(a), 1);
    EXPECT_EQ(libraries.Free(b), 1);
    EXPECT_EQ(libraries.Free(a), 0);  // freed as often as it was loaded
    EXPECT_EQ(libraries.GetProc(a, "Seven"), nullptr);
    EXPECT_EQ(libraries.Free(nullptr), 0);
    EXPECT_EQ(libraries.LoadCount(), 2);
    EXPECT_EQ(libraries.FreeCount(), 2);
    EXPECT_EQ(libraries.LoadedCount(), 0);
}

TEST(HostSystemTest, AnswersWhatWasSetAndCountsCalls) {
    vx::HostSystem system;
    EXPECT_EQ(system.MetricsCalls(), 0);
    EXPECT_EQ(system.GetSystemMetrics(vx::kSmCleanBoot), 0);
    system.SetFailSafe(true);
    EXPECT_EQ(system.GetSystemMetrics(vx::kSmCleanBoot), 1);
    system.SetCleanBoot(2);
    EXPECT_EQ(system.GetSystemMetrics(vx::kSmCleanBoot), 2);
    EXPECT_EQ(system.GetSystemMetrics(0), 0);
    EXPECT_EQ(system.MetricsCalls(), 4);
    EXPECT_EQ(system.MetricsCalls(vx::kSmCleanBoot), 3);

    EXPECT_GE(system.GetKeyState(vx::kVkControl), 0);
    system.SetControlDown(true);
    EXPECT_LT(system.GetKeyState(vx::kVkControl), 0);  // high-order bit set
    EXPECT_GE(system.GetKeyState(0x10), 0);
    EXPECT_EQ(system.KeyStateCalls(), 3);
}

TEST(HostModulePathTest, FormsThePathInTheModuleFolderAndRecordsCalls) {
    vx::HostModulePath modulePath;
    vx::CString path;
    auto module = reinterpret_cast<vx::InstanceHandle>(0x10000000);
    EXPECT_EQ(modulePath.BuildModulePath(module, path, "tarnel.hlp"), 1);
    EXPECT_STREQ(path.c_str(), "C:\\WINDOWS\\SYSTEM\\tarnel.hlp");
    modulePath.SetResultPath("D:\\HELP\\other.hlp");
    modulePath.SetReturnValue(0);
    EXPECT_EQ(modulePath.BuildModulePath(nullptr, path, "tarnel.hlp"), 0);
    EXPECT_STREQ(path.c_str(), "D:\\HELP\\other.hlp");
    ASSERT_EQ(modulePath.Calls().size(), 2u);
    EXPECT_EQ(modulePath.Calls()[0].module, module);
    EXPECT_EQ(modulePath.Calls()[0].fileName, "tarnel.hlp");
}

TEST(HostPlatformTest, InstallsItsServicesAndTakesThemAwayAgain) {
    vx::PlatformServices before = vx::Platform();
    vx::IWindowing* windows = before.windows;
    {
        vx::HostPlatform platform("/nonexistent");
        platform.Install();
        EXPECT_EQ(vx::Platform().registry, &platform.RegistryApi());
        EXPECT_EQ(vx::Platform().system, &platform.System());
        EXPECT_EQ(vx::Platform().profile, &platform.Profile());
        EXPECT_EQ(vx::Platform().windows, windows);  // the window services are not its own
        vx::Platform().debug->Write("line\r\n");
        EXPECT_EQ(platform.Debug().Lines(), std::vector<std::string>{"line\r\n"});
    }
    EXPECT_EQ(vx::Platform().registry, nullptr);
    EXPECT_EQ(vx::Platform().libraries, nullptr);
    EXPECT_EQ(vx::Platform().modulePath, nullptr);
    vx::Platform() = before;
}

TEST(HostTestPlatformTest, LoadsTheRegistryIntoTheInstalledHostRegistry) {
    TestPlatform platform;
    platform.LoadRegistry(
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n"
        "\"CurrentDisplayKey\"=\"0001\"\r\n\"Second\"=hex:01\r\n");
    EXPECT_EQ(platform.ValueNames("Software\\Corvane\\Lumetra"),
              (std::vector<std::string>{"CurrentDisplayKey", "Second"}));
    EXPECT_TRUE(HostServices().Registry().KeyExists("HKLM\\SOFTWARE\\Corvane"));
    vx::KeyHandle key = nullptr;
    EXPECT_EQ(vx::Platform().registry->OpenKey("SOFTWARE\\Corvane\\Lumetra", vx::kKeyRead, &key),
              vx::kErrorSuccess);
    EXPECT_EQ(HostServices().RegistryApi().OpenHandleCount(), 1u);
    vx::Platform().registry->CloseKey(key);

    // A second load starts from a clean driver area.
    platform.LoadRegistry("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Other]\r\n");
    EXPECT_FALSE(platform.KeyExists("SOFTWARE\\Corvane\\Lumetra"));
    EXPECT_TRUE(platform.KeyExists("SOFTWARE\\Corvane\\Other"));

    platform.SetFailSafe(true);
    EXPECT_EQ(vx::Platform().system->GetSystemMetrics(vx::kSmCleanBoot), 1);
}

}  // namespace
}  // namespace vxtest
