// tarnel.dll in Display Properties when what lies outside it fails. The
// program runs from a folder without ferolib.dll (bin/faults), so the
// library is missing unless a test loads one of its own first: a module
// that is loaded already is what LoadLibraryA("ferolib.dll") gives back.
// Whatever fails, the page and its Apply complete without a word, and the
// module still unloads.
#include <gtest/gtest.h>

#include <memory>

#include "DisplayChangeWatcher.h"
#include "DisplaySheet.h"
#include "MessageBoxAnswerer.h"
#include "PageControls.h"
#include "ShellFixture.h"
#include "WindowsShellLoader.h"
#include "platform/win32/WinHandles.h"

namespace shelltest {
namespace {

class ShellFaultTest : public FreshModuleTest {
  protected:
    void SetUp() override {
        FreshModuleTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_EQ(GetModuleHandleA("ferolib.dll"), nullptr);
    }
    void TearDown() override {
        if (m_loader) Finish();
        m_preloaded.reset();
    }

    // Closes the sheet, gives the extension back and unloads the module.
    void Finish() {
        m_loader.reset();
        AssertModuleUnloads();
    }

    // Loads the stand-in that lacks one entry point ("nomode", "nokey"), or
    // the whole one from the build's own folder ("").
    void Preload(const std::string& variant) {
        const std::string folder = ProgramFolder();
        const std::string path = variant.empty()
                                     ? folder.substr(0, folder.find_last_of('\\')) + "\\ferolib.dll"
                                     : folder + "\\" + variant + "\\ferolib.dll";
        // A ferolib.dll loaded from a path of its own for the length of a test.
        m_preloaded.reset(LoadLibraryA(path.c_str()));
        ASSERT_TRUE(m_preloaded) << path;
    }

    HWND OpenPage() {
        m_loader = std::make_unique<WindowsShellLoader>();
        m_loader->AddPagesWithCtrlHeld();
        m_page = m_loader->OpenHiddenSheetAtExtensionPage();
        return m_page;
    }

    // Applies through the sheet; counts the messages shown (a box captioned
    // "Vexaro" is answered No) and the display-mode changes.
    void Apply(size_t* boxes, int* modeChanges) {
        displayhost::DisplayChangeWatcher watcher;
        displayhost::MessageBoxAnswerer answerer("Vexaro", IDNO);
        SendMessageA(m_loader->Sheet()->Window(), PSM_APPLY, 0, 0);
        displayhost::PumpMessagesFor(100);
        *boxes = answerer.Answered().size();
        *modeChanges = watcher.Count();
    }

    vx::UniqueModule m_preloaded;
    std::unique_ptr<WindowsShellLoader> m_loader;
    HWND m_page = nullptr;
};

// Without the driver's key from ferolib.dll (no library, or no
// GetConfigString) the page is empty, and Apply writes and says nothing.
TEST_F(ShellFaultTest, WithoutTheDriverKeyThePageIsEmptyAndSilent) {
    for (const char* variant : {"none", "nokey"}) {
        SCOPED_TRACE(variant);
        if (std::string(variant) != "none") {
            ASSERT_NO_FATAL_FAILURE(Preload(variant));
        }
        const std::string ini = IniText();
        ASSERT_NE(OpenPage(), nullptr);
        EXPECT_TRUE(displayhost::ReadPageControls(m_page).empty());
        EXPECT_NE(GetDlgItem(m_page, 1005), nullptr);  // the template's own controls are there
        size_t boxes = 0;
        int modeChanges = 0;
        Apply(&boxes, &modeChanges);
        EXPECT_EQ(boxes, 0u);
        EXPECT_EQ(modeChanges, 0);
        EXPECT_EQ(IniText(), ini);
        Finish();
        m_preloaded.reset();
    }
}

// A "Mode" setting applied with a ferolib.dll that cannot tell the current
// mode: the INI file is written, the mode is not set, nothing is said.
TEST_F(ShellFaultTest, ModeWithoutGetCurrentConfigIsWrittenAndSilent) {
    ASSERT_NO_FATAL_FAILURE(Preload("nomode"));
    ASSERT_NE(OpenPage(), nullptr);
    displayhost::Click(GetDlgItem(m_page, 2002));  // "Hardware mouse pointer" off: "Mode"
    size_t boxes = 0;
    int modeChanges = 0;
    Apply(&boxes, &modeChanges);
    EXPECT_EQ(boxes, 0u);
    EXPECT_EQ(modeChanges, 0);
    EXPECT_EQ(IniInt("Acceleration", "Pointer"), 0);
}

// An INI file with the read-only attribute: Apply goes on past it (the
// mode is set again all the same), says nothing, and the file stays as it
// was.
TEST_F(ShellFaultTest, ApplyGoesOnSilentlyPastAReadOnlyIniFile) {
    ASSERT_NO_FATAL_FAILURE(Preload(""));
    const std::string ini = IniText();
    ASSERT_TRUE(SetFileAttributesA(m_iniPath.c_str(), FILE_ATTRIBUTE_READONLY));
    const vx::UniqueFile probe(CreateFileA(m_iniPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe) {
        // Wine run by root opens a file without write permission for writing.
        SetFileAttributesA(m_iniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "the read-only attribute does not stop writes here";
    }
    ASSERT_NE(OpenPage(), nullptr);
    displayhost::Click(GetDlgItem(m_page, 2002));
    size_t boxes = 0;
    int modeChanges = 0;
    Apply(&boxes, &modeChanges);
    SetFileAttributesA(m_iniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(boxes, 0u);
    EXPECT_GE(modeChanges, 1);
    EXPECT_EQ(IniText(), ini);
}

// The settings' INI file named in a folder that does not exist: Apply goes
// on (the mode is set again), says nothing and makes no folder or file.
TEST_F(ShellFaultTest, ApplyGoesOnSilentlyPastAnIniFileInAMissingFolder) {
    ASSERT_NO_FATAL_FAILURE(Preload(""));
    const std::string folder = m_iniPath.substr(0, m_iniPath.find_last_of('\\')) + "\\missing";
    LoadDriverData(SampleDriverText(folder + "\\vexaro.ini"));
    ASSERT_NE(OpenPage(), nullptr);
    displayhost::Click(GetDlgItem(m_page, 2002));
    size_t boxes = 0;
    int modeChanges = 0;
    Apply(&boxes, &modeChanges);
    EXPECT_EQ(boxes, 0u);
    EXPECT_GE(modeChanges, 1);
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace shelltest
