// The action after Apply: the restart question, and the display mode set
// again through the display library.
#include <cstring>

#include "layout/PendingAction.h"
#include "page/ExpectedMode.h"
#include "page/PostApply.h"
#include "page/host/PageFixture.h"
#include "platform/WinConstants.h"
#include "vx_abi.h"

namespace vxtest {
namespace {

const char kGetCurrentConfig[] = "?GetCurrentConfig@@YGHAAU_settingdata@@@Z";
const char kQuestion[] =
    "You must restart your computer before the changes will take effect.\n"
    "Do you want to restart your computer now?";

int g_configCalls = 0;

int VX_STDCALL GetCurrentConfig(vx::_settingdata& data) {
    ++g_configCalls;
    data.bitsPerPel = "16";
    data.resolution = "1024,768";
    data.field5 = "unused";
    data.frequency = "75";
    return 0;  // a failure result changes nothing
}

class PostApplyTest : public PageTest {
  protected:
    PostApplyTest() { g_configCalls = 0; }
    vx::HostLibraries& Libraries() { return HostServices().Libraries(); }
    vx::HostSystem& System() { return HostServices().System(); }
    void RegisterLibrary() {
        Libraries().Register("ferolib.dll",
                             {{kGetCurrentConfig, vx::HostLibraries::Symbol(&GetCurrentConfig)}});
    }
};

TEST_F(PostApplyTest, RebootAsksAndRestartsOnYes) {
    vx::PendingAction = "Reboot";
    ui.shell.QueueAnswer(vx::kIdYes);
    vx::RunPostApplyAction();
    ASSERT_EQ(ui.shell.messageBoxes.size(), 1u);
    const vx::MessageBoxCall& box = ui.shell.messageBoxes[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, kQuestion);
    EXPECT_EQ(box.caption, "Vexaro");
    EXPECT_EQ(box.type, 0x24u);
    ASSERT_EQ(ui.shell.stringLoads.size(), 1u);
    EXPECT_EQ(ui.shell.stringLoads[0].id, 2u);
    ASSERT_EQ(ui.shell.restarts.size(), 1u);
    EXPECT_EQ(ui.shell.restarts[0].flags, 6u);
    EXPECT_EQ(ui.shell.restarts[0].reserved, 0u);
    EXPECT_EQ(std::string(vx::PendingAction), "Reboot");
}

TEST_F(PostApplyTest, NoLeavesTheLevelAndTheNextApplyAsksAgain) {
    vx::PendingAction = "Reboot";
    ui.shell.QueueAnswer(vx::kIdNo);
    vx::RunPostApplyAction();
    EXPECT_TRUE(ui.shell.restarts.empty());
    EXPECT_EQ(std::string(vx::PendingAction), "Reboot");
    vx::RunPostApplyAction();
    EXPECT_EQ(ui.shell.messageBoxes.size(), 2u);
    EXPECT_TRUE(ui.shell.modeChanges.empty());
}

TEST_F(PostApplyTest, ModeAfterAFailSafeStartBecomesReboot) {
    RegisterLibrary();
    platform.SetFailSafe(true);
    vx::PendingAction = "Mode";
    vx::RunPostApplyAction();
    EXPECT_EQ(std::string(vx::PendingAction), "Reboot");
    EXPECT_EQ(ui.shell.messageBoxes.size(), 1u);
    EXPECT_TRUE(ui.shell.modeChanges.empty());
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 0);
}

TEST_F(PostApplyTest, ModeSetsTheCurrentModeAgain) {
    RegisterLibrary();
    vx::PendingAction = "Mode";
    vx::RunPostApplyAction();
    EXPECT_EQ(System().MetricsCalls(vx::kSmCleanBoot), 1);
    EXPECT_EQ(g_configCalls, 1);
    EXPECT_EQ(Libraries().LoadCount(), 1);
    EXPECT_EQ(Libraries().LoadedCount(), 0);
    EXPECT_TRUE(ui.shell.messageBoxes.empty());
    ASSERT_EQ(ui.shell.modeChanges.size(), 1u);
    EXPECT_EQ(ui.shell.modeChanges[0].flags, 0u);

    const vx::DisplayModeRecord expected = Mode1024x768x16At75();
    EXPECT_EQ(std::memcmp(&ui.shell.modeChanges[0].mode, &expected, sizeof expected), 0);
    EXPECT_EQ(std::string(vx::PendingAction), "Mode");

    vx::RunPostApplyAction();  // the library is loaded and freed anew each time
    EXPECT_EQ(Libraries().LoadCount(), 2);
    EXPECT_EQ(ui.shell.modeChanges.size(), 2u);
}

TEST_F(PostApplyTest, ModeWithoutTheLibraryOrItsEntryPointDoesNothing) {
    vx::PendingAction = "Mode";
    vx::RunPostApplyAction();
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 1);

    RegisterLibrary();
    Libraries().StripEntryPoint("ferolib.dll", kGetCurrentConfig);
    vx::DisplayModeRecord untouched;
    std::memset(&untouched, 0xAB, sizeof untouched);
    EXPECT_EQ(vx::ReadCurrentMode(&untouched), 0);
    EXPECT_EQ(static_cast<unsigned char>(untouched.dmDeviceName[0]), 0xABu);
    EXPECT_EQ(Libraries().LoadedCount(), 0);
    vx::RunPostApplyAction();
    EXPECT_EQ(g_configCalls, 0);
    EXPECT_TRUE(ui.shell.modeChanges.empty());
    EXPECT_TRUE(ui.shell.messageBoxes.empty());
}

TEST_F(PostApplyTest, DynamicAndUnknownLevelsCallNothing) {
    RegisterLibrary();
    platform.SetFailSafe(true);
    for (const char* level : {"Dynamic", "mode", "REBOOT", ""}) {
        SCOPED_TRACE(level);
        vx::PendingAction = level;
        vx::RunPostApplyAction();
        EXPECT_EQ(std::string(vx::PendingAction), level);
    }
    EXPECT_EQ(System().MetricsCalls(), 0);
    EXPECT_EQ(ui.shell.CallCount(), 0u);
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 0);
}

}  // namespace
}  // namespace vxtest
