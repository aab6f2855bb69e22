// The page when what lies outside it fails: INI files that cannot be
// written, the display library missing or without its entry points. Apply
// and the page complete silently (the restart question is the only message
// ever shown), go on past the failure, and leave no file changed in part.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "page/PostApply.h"
#include "page/host/PageFixture.h"
#include "platform/WinConstants.h"
#include "support/host/FileSizeLimit.h"
#include "vx_abi.h"

namespace vxtest {
namespace {

namespace fs = std::filesystem;

const char kGetConfigString[] = "?GetConfigString@@YGHAAVCString@@H@Z";
const char kGetCurrentConfig[] = "?GetCurrentConfig@@YGHAAU_settingdata@@@Z";
const char kQuestion[] =
    "You must restart your computer before the changes will take effect.\n"
    "Do you want to restart your computer now?";
const char kGoodIni[] = "[Display]\r\nSmoothLines=0\r\n";

int VX_STDCALL GetConfigString(vx::CString& text, int /*capacity*/) {
    text = kDriverKey;
    return 1;
}

int VX_STDCALL GetCurrentConfig(vx::_settingdata& data) {
    data.bitsPerPel = "16";
    data.resolution = "1024,768";
    data.frequency = "75";
    return 1;
}

// An Association key of one setting: bit 0 of key in section "Display".
std::string Association(const std::string& name, const std::string& iniFile, const std::string& key,
                        const std::string& action) {
    return "\r\n" + KeyLine(AssociationKey(name)) + "\r\n" + SzLine("INIFile", iniFile) + "\r\n" +
           SzLine("Section", "Display") + "\r\n" + SzLine("KeyString", key) +
           "\r\n\"AndMask\"=hex:fe\r\n\"OrMask\"=hex:01\r\n" + SzLine("Action", action) + "\r\n";
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class PageFaultTest : public PageTest {
  protected:
    vx::HostLibraries& Libraries() { return HostServices().Libraries(); }

    // Fast fill ("Dynamic") in the file `faulty`, Smooth lines ("Reboot")
    // in the file `good`.
    void LoadTwoFiles(const std::string& faulty, const std::string& good) {
        platform.LoadRegistry(
            "REGEDIT4\r\n\r\n" + KeyLine(LayoutKey()) + "\r\n" + SzLine("Group1_2", "Options") +
            "\r\n" + SzLine("Check1_1", "Fast fill") + "\r\n" + SzLine("Check1_2", "Smooth lines") +
            "\r\n" + Association("Check1_1", faulty, "FastFill", "Dynamic") +
            Association("Check1_2", good, "SmoothLines", "Reboot"));
        TestPlatform::WriteFile(good, kGoodIni);
    }

    // Since callsBefore shell calls, nothing but the restart question
    // reached the user, answered No.
    void ExpectOnlyTheQuestion(size_t callsBefore) {
        ASSERT_FALSE(ui.shell.messageBoxes.empty());
        EXPECT_EQ(ui.shell.messageBoxes.back().text, kQuestion);
        EXPECT_EQ(ui.shell.CallCount(), callsBefore + 2);  // the question and its string
        EXPECT_TRUE(ui.shell.restarts.empty());
    }
};

TEST_F(PageFaultTest, ApplyGoesOnSilentlyPastAnIniFileThatCannotBeWritten) {
    const std::string folder = platform.IniDir();
    const std::string good = folder + "/good.ini";
    const std::string padded = "[Display]\r\nFastFill=1\r\n" + std::string(300, ';') + "\r\n";
    struct Case {
        const char* name;
        std::string faulty;
        std::string content;  // empty: no file
        std::function<void(const std::string&)> prepare;
        rlim_t sizeLimit;  // 0: none
    };
    const Case cases[] = {
        {"read-only file", folder + "/ro.ini", "[Display]\r\nFastFill=1\r\n",
         [](const std::string& path) { ASSERT_EQ(chmod(path.c_str(), 0444), 0); }, 0},
        {"missing folder", folder + "/missing/a.ini", "", nullptr, 0},
        {"full disk", folder + "/big.ini", padded, nullptr, 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vx::PendingAction = "Dynamic";
        const size_t calls = ui.shell.CallCount();
        LoadTwoFiles(c.faulty, good);
        if (!c.content.empty()) TestPlatform::WriteFile(c.faulty, c.content);
        if (c.prepare) c.prepare(c.faulty);
        const std::vector<std::string> before = Entries(folder);

        Show();
        ASSERT_EQ(Created().size(), 3u);
        ui.sheets.Click(2001);  // Fast fill off: its file cannot take it
        ui.sheets.Click(2002);  // Smooth lines on: asks for a restart
        ui.shell.QueueAnswer(vx::kIdNo);
        intptr_t result = -1;
        {
            FileSizeLimit limit(c.sizeLimit != 0 ? c.sizeLimit : RLIM_INFINITY);
            ASSERT_TRUE(limit.Ok());
            result = ui.sheets.PressApply();
        }
        EXPECT_EQ(result, 0);  // PSNRET_NOERROR: the sheet closes as after any Apply
        EXPECT_FALSE(ui.sheets.IsModified());
        ExpectOnlyTheQuestion(calls);
        EXPECT_EQ(std::string(vx::PendingAction), "Reboot");
        // The other file is written; the faulty one is as it was, and no
        // temporary file or folder is left behind.
        EXPECT_EQ(TestPlatform::ReadFile(good), "[Display]\r\nSmoothLines=1\r\n");
        if (!c.content.empty()) {
            EXPECT_EQ(TestPlatform::ReadFile(c.faulty), c.content);
        }
        EXPECT_EQ(Entries(folder), before);
        ui.sheets.ClosePage();
        if (!c.content.empty()) fs::remove(c.faulty);
    }
}

// Normal start, the driver's key to come from the display library: without
// the library, or without its entry point, the page is empty and its Apply
// does nothing; no message either way.
TEST_F(PageFaultTest, WithoutTheDriverKeyFromTheLibraryThePageIsEmptyAndSilent) {
    struct Case {
        const char* name;
        bool registered;
    };
    for (const Case c : {Case{"no ferolib.dll", false}, Case{"no GetConfigString", true}}) {
        SCOPED_TRACE(c.name);
        LoadExample();
        vx::DriverKeyPath.Empty();
        platform.SetFailSafe(false);
        Libraries().Remove("ferolib.dll");
        if (c.registered) {
            Libraries().Register(
                "ferolib.dll", {{kGetConfigString, vx::HostLibraries::Symbol(&GetConfigString)},
                                {kGetCurrentConfig, vx::HostLibraries::Symbol(&GetCurrentConfig)}});
            Libraries().StripEntryPoint("ferolib.dll", kGetConfigString);
        }
        const std::vector<std::string> layout = platform.ValueNames(LayoutKey());

        Show();
        EXPECT_TRUE(Created().empty());
        EXPECT_TRUE(EntryNames().empty());
        EXPECT_EQ(std::string(vx::DriverKeyPath), "");
        EXPECT_EQ(ui.sheets.PressApply(), 0);
        ui.sheets.PressHelp();  // the help file is found all the same
        EXPECT_EQ(ui.shell.messageBoxes.size(), 0u);
        EXPECT_EQ(ui.shell.modeChanges.size(), 0u);
        EXPECT_EQ(Ini(), kExampleIni);
        EXPECT_EQ(platform.ValueNames(LayoutKey()), layout);
        EXPECT_EQ(Libraries().LoadedCount(), 0);
        ui.sheets.ClosePage();
    }
}

// A "Mode" change applied while the library has no GetCurrentConfig: the
// INI file is written, the mode is not set again, nothing is said.
TEST_F(PageFaultTest, ModeWithoutTheLibrarysModeEntryPointIsWrittenAndSilent) {
    LoadExample();
    Libraries().Register("ferolib.dll",
                         {{kGetConfigString, vx::HostLibraries::Symbol(&GetConfigString)},
                          {kGetCurrentConfig, vx::HostLibraries::Symbol(&GetCurrentConfig)}});
    Libraries().StripEntryPoint("ferolib.dll", kGetCurrentConfig);
    Show();
    ui.sheets.Click(2002);  // Smooth lines on: "Mode"
    EXPECT_EQ(ui.sheets.PressApply(), 0);
    EXPECT_EQ(std::string(vx::PendingAction), "Mode");
    EXPECT_EQ(Ini(),
              "[Display]\r\nFastFill=1\r\nSmoothLines=1\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n");
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 1);
    EXPECT_EQ(Libraries().LoadedCount(), 0);
    EXPECT_EQ(ui.shell.CallCount(), 0u);
}

}  // namespace
}  // namespace vxtest
