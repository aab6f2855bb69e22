// The real page in a real sheet under Wine: its controls against the layout
// rules, change tracking through the sheet's Apply button, the INI writes
// of Apply, the restart question and the display-mode refresh. Every test
// loads tarnel.dll afresh and unloads it again, so the module's state
// (the pending action above all) starts anew each time.
#include <gtest/gtest.h>

#include <map>

#include "DisplayChangeWatcher.h"
#include "DriverLayout.h"
#include "LayoutOracle.h"
#include "MessageBoxAnswerer.h"
#include "PageControls.h"
#include "ShellFixture.h"
#include "WindowsShellLoader.h"
#include "support/win32/ExpectedWindows.h"

namespace shelltest {
namespace {

using displayhost::PageControl;

const char kRestartQuestion[] =
    "You must restart your computer before the changes will take effect.\n"
    "Do you want to restart your computer now?";

// The states that the sample INI file gives the sample settings.
const std::map<std::string, bool> kSampleStates = {
    {"Check1_1", true},  {"Check1_2", true}, {"Check1_3", false}, {"Check1_4", false},
    {"Radio2_1", false}, {"Radio2_2", true}, {"Radio2_3", false}, {"Check3_1", false},
    {"Check3_2", true},  {"Check4_1", true}, {"Check4_2", false},
};

// The layout of the worked example: one column, and a third check box that
// its group (order 2) does not admit.
const char kOneColumnDriver[] =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n\"CurrentDisplayKey\"=\"0001\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro\\"
    "Layout]\r\n"
    "\"Group1_2\"=\"Options\"\r\n\"Check1_1\"=\"Fast fill\"\r\n\"Check1_2\"=\"Smooth lines\"\r\n"
    "\"Check1_3\"=\"Extra\"\r\n\"Group2_2\"=\"Refresh\"\r\n\"Radio2_1\"=\"Standard\"\r\n"
    "\"Radio2_2\"=\"High\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro\\"
    "Association\\Check1_1]\r\n\"Default\"=\"On\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro\\"
    "Association\\Check1_3]\r\n\"Default\"=\"On\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro\\"
    "Association\\Radio2_1]\r\n\"Default\"=\"On\"\r\n\r\n";

const std::map<std::string, bool> kOneColumnStates = {
    {"Check1_1", true}, {"Check1_2", false}, {"Check1_3", true},
    {"Radio2_1", true}, {"Radio2_2", false},
};

class ShellPageTest : public FreshModuleTest {
  protected:
    void TearDown() override {
        if (!m_loader) return;
        m_second.reset();
        m_loader.reset();
        EXPECT_TRUE(FreeUnusedTarnel());
    }

    HWND OpenPage() {
        m_loader = std::make_unique<WindowsShellLoader>();
        m_loader->AddPagesWithCtrlHeld();
        m_page = m_loader->OpenSheetAtExtensionPage();
        return m_page;
    }

    displayhost::DisplaySheet& Sheet() { return *m_loader->Sheet(); }

    // Display Properties opened a second time in this process, through an
    // extension object of its own: the same page object in a second sheet.
    HWND OpenSecondPage() {
        m_second = std::make_unique<WindowsShellLoader>();
        m_second->AddPagesWithCtrlHeld();
        return m_second->OpenSheetAtExtensionPage();
    }
    displayhost::DisplaySheet& SecondSheet() { return *m_second->Sheet(); }

    static std::vector<bool> Checks(HWND page) {
        std::vector<bool> checks;
        for (const PageControl& c : displayhost::ReadPageControls(page))
            checks.push_back(c.checked);
        return checks;
    }

    HWND Control(int id) const { return GetDlgItem(m_page, id); }

    // The Layout values now in the registry, with the states they load.
    std::vector<LayoutValue> LayoutValues(const std::map<std::string, bool>& states) {
        std::vector<LayoutValue> values;
        for (const displayhost::LayoutSetting& s : displayhost::ReadDriverLayout(kDriverKey)) {
            auto state = states.find(s.name);
            values.push_back({s.name, s.caption, state != states.end() && state->second});
        }
        return values;
    }

    PageMetrics Metrics() const {
        RECT reset = {}, icon = {};
        GetWindowRect(Control(1005), &reset);
        GetWindowRect(Control(1018), &icon);
        return MeasureMetrics(reset, icon);
    }

    void ExpectControls(const ExpectedLayout& expected) {
        std::vector<PageControl> actual = displayhost::ReadPageControls(m_page);
        ASSERT_EQ(actual.size(), expected.controls.size());
        auto font = SendMessageA(Control(1005), WM_GETFONT, 0, 0);
        for (size_t i = 0; i < actual.size(); ++i) {
            const ExpectedControl& e = expected.controls[i];
            const PageControl& a = actual[i];
            SCOPED_TRACE(e.name + " \"" + e.caption + "\"");
            EXPECT_EQ(a.id, e.id);
            EXPECT_EQ(a.text, e.caption);
            EXPECT_EQ(a.rect.left, e.rect.left);
            EXPECT_EQ(a.rect.top, e.rect.top);
            EXPECT_EQ(a.rect.right, e.rect.right);
            EXPECT_EQ(a.rect.bottom, e.rect.bottom);
            DWORD style = e.style;
            // Wine and Windows give a radio button the tab stop while it is checked.
            if ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                style = (style & ~WS_TABSTOP) | (e.on ? WS_TABSTOP : 0);
            EXPECT_EQ(a.style, style) << std::hex << a.style << " " << style;
            if ((style & BS_TYPEMASK) != BS_GROUPBOX) {
                EXPECT_EQ(a.checked, e.on);
            }
            EXPECT_EQ(SendMessageA(a.window, WM_GETFONT, 0, 0), font);
        }
    }

    // Every integer of the sample INI file, as "Section.Key".
    std::map<std::string, int> IniIntegers() const {
        static const char* const kKeys[][2] = {
            {"Acceleration", "TextFlags"},
            {"Acceleration", "Pointer"},
            {"Acceleration", "BusFlags"},
            {"Refresh", "RefreshMode"},
            {"Compatibility", "WriteCombining"},
            {"Compatibility", "SafeMapping"},
            {"Colour", "Gamma"},
            {"Colour", "Dither"},
        };
        std::map<std::string, int> values;
        for (const auto& k : kKeys) values[std::string(k[0]) + "." + k[1]] = IniInt(k[0], k[1]);
        return values;
    }

    // Presses the sheet's Apply button; a restart question is answered No.
    // modeChanges gets the display mode changes seen within 100 ms.
    std::vector<displayhost::AnsweredBox> PressApply(int* modeChanges) {
        return PressApplyWaitingForAModeChange(modeChanges, 0);
    }

    // The same, waiting up to `milliseconds` for a mode change to arrive.
    std::vector<displayhost::AnsweredBox> PressApplyWaitingForAModeChange(int* modeChanges,
                                                                          DWORD milliseconds) {
        displayhost::DisplayChangeWatcher watcher;
        displayhost::MessageBoxAnswerer answerer("Vexaro", IDNO);
        displayhost::Click(GetDlgItem(Sheet().Window(), displayhost::kApplyButtonId));
        displayhost::PumpMessagesFor(100);
        watcher.AwaitChange(milliseconds);
        if (modeChanges) *modeChanges = watcher.Count();
        return answerer.Answered();
    }

    // Opens two sheets, clicks "Bus mastering" (a restart setting) on in the
    // second, then runs `first` on the first sheet's page window and sheet.
    // The second showing must be left as the click left it, and its own
    // Apply then does what a single sheet's does.
    template <typename FirstSheet>
    void ExpectSecondShowingUntouchedBy(FirstSheet first) {
        ASSERT_NE(OpenPage(), nullptr);
        const HWND firstPage = m_page;
        const HWND secondPage = OpenSecondPage();
        ASSERT_NE(secondPage, nullptr);
        std::map<std::string, int> integers = IniIntegers();
        displayhost::Click(GetDlgItem(secondPage, 2004));
        ASSERT_TRUE(SecondSheet().ApplyEnabled());
        const std::vector<bool> checks = Checks(secondPage);

        {
            displayhost::MessageBoxAnswerer answerer("Vexaro", IDNO);
            first(firstPage, Sheet());
            displayhost::PumpMessagesFor(100);
            EXPECT_TRUE(answerer.Answered().empty());
        }
        EXPECT_EQ(IniIntegers(), integers);
        EXPECT_EQ(Checks(secondPage), checks);
        EXPECT_TRUE(SecondSheet().ApplyEnabled());
        m_loader->Finish();

        displayhost::DisplayChangeWatcher watcher;
        displayhost::MessageBoxAnswerer answerer("Vexaro", IDNO);
        displayhost::Click(GetDlgItem(SecondSheet().Window(), displayhost::kApplyButtonId));
        displayhost::PumpMessagesFor(100);
        EXPECT_EQ(answerer.Answered().size(), 1u);
        EXPECT_EQ(watcher.Count(), 0);
        EXPECT_FALSE(SecondSheet().ApplyEnabled());
        integers["Acceleration.BusFlags"] = 0x40;
        EXPECT_EQ(IniIntegers(), integers);
    }

    std::unique_ptr<WindowsShellLoader> m_loader;
    std::unique_ptr<WindowsShellLoader> m_second;
    HWND m_page = nullptr;
};

TEST_F(ShellPageTest, SampleControlsFollowTheLayoutRulesInTwoColumns) {
    ASSERT_NE(OpenPage(), nullptr);
    const PageMetrics metrics = Metrics();
    const vxtest::TemplateMetrics screen = vxtest::ExpectedTemplateMetrics();
    EXPECT_EQ(metrics.groupBoxWidth, screen.groupBoxWidth);
    EXPECT_EQ(metrics.availableHeight, static_cast<unsigned>(screen.availableHeight));
    ExpectedLayout expected = ExpectLayout(LayoutValues(kSampleStates), metrics);
    // One column would need 366 pixels, more than either resolution has.
    EXPECT_FALSE(expected.oneColumn);
    EXPECT_TRUE(expected.pruned.empty());
    EXPECT_EQ(expected.controls.size(), 15u);
    ExpectControls(expected);
}

TEST_F(ShellPageTest, OneColumnLayoutPrunesWhatItsGroupDoesNotAdmit) {
    LoadDriverData(kOneColumnDriver);
    std::vector<LayoutValue> values = LayoutValues(kOneColumnStates);
    ASSERT_NE(OpenPage(), nullptr);
    ExpectedLayout expected = ExpectLayout(values, Metrics());
    EXPECT_TRUE(expected.oneColumn);
    EXPECT_EQ(expected.pruned, std::vector<std::string>{"Check1_3"});
    ExpectControls(expected);

    // The page deletes the Layout value through a key opened for reading,
    // which Windows 95 allows and Windows NT refuses.
    const std::string layoutKey = std::string(kDriverKey) + "\\Vexaro\\Layout";
    EXPECT_EQ(m_platform.ValueExists(layoutKey, "Check1_3"), !vxtest::ExpectWindows95());
    EXPECT_FALSE(m_platform.KeyExists(std::string(kDriverKey) + "\\Vexaro\\Association\\Check1_3"));
    EXPECT_TRUE(m_platform.ValueExists(layoutKey, "Check1_2"));
    EXPECT_TRUE(m_platform.KeyExists(std::string(kDriverKey) + "\\Vexaro\\Association\\Radio2_1"));
}

TEST_F(ShellPageTest, ClicksEnableApplyExceptOnTheCheckedRadio) {
    ASSERT_NE(OpenPage(), nullptr);
    EXPECT_FALSE(Sheet().ApplyEnabled());
    displayhost::Click(Control(2007));  // "60 Hz", loaded as on
    EXPECT_FALSE(Sheet().ApplyEnabled());
    displayhost::Click(Control(2013));  // "Gamma correction"
    EXPECT_TRUE(Sheet().ApplyEnabled());
}

TEST_F(ShellPageTest, ClickingAnUncheckedRadioEnablesApply) {
    ASSERT_NE(OpenPage(), nullptr);
    displayhost::Click(Control(2008));  // "75 Hz"
    EXPECT_TRUE(Sheet().ApplyEnabled());
    EXPECT_EQ(SendMessageA(Control(2008), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Control(2007), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ShellPageTest, ApplyWritesTheIntegersAndAsksNothingForADynamicSetting) {
    ASSERT_NE(OpenPage(), nullptr);
    std::map<std::string, int> expected = IniIntegers();
    displayhost::Click(Control(2001));  // "Fast text drawing" off: TextFlags 5 & 0xFB
    int modeChanges = -1;
    EXPECT_TRUE(PressApply(&modeChanges).empty());
    EXPECT_EQ(modeChanges, 0);
    EXPECT_FALSE(Sheet().ApplyEnabled());

    expected["Acceleration.TextFlags"] = 1;
    EXPECT_EQ(IniIntegers(), expected);
}

TEST_F(ShellPageTest, RebootSettingAsksTheRestartQuestionAgainAtEveryApply) {
    ASSERT_NE(OpenPage(), nullptr);
    displayhost::Click(Control(2004));  // "Bus mastering" on: BusFlags | '@'
    int modeChanges = -1;
    std::vector<displayhost::AnsweredBox> boxes = PressApply(&modeChanges);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Vexaro");
    EXPECT_EQ(boxes[0].text, kRestartQuestion);
    EXPECT_EQ(boxes[0].buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(modeChanges, 0);
    EXPECT_EQ(IniInt("Acceleration", "BusFlags"), 0x40);

    // Nothing changed since; Apply through the sheet asks again all the same.
    displayhost::MessageBoxAnswerer answerer("Vexaro", IDNO);
    SendMessageA(Sheet().Window(), PSM_APPLY, 0, 0);
    displayhost::PumpMessagesFor(100);
    EXPECT_EQ(answerer.Answered().size(), 1u);
    EXPECT_EQ(IniInt("Acceleration", "BusFlags"), 0x40);
}

TEST_F(ShellPageTest, ModeSettingSetsTheCurrentModeAgainThroughFerolib) {
    DEVMODEA before = {};
    before.dmSize = sizeof before;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &before));
    ASSERT_NE(OpenPage(), nullptr);
    displayhost::Click(Control(2002));  // "Hardware mouse pointer" off: Pointer & ~1
    int modeChanges = 0;
    EXPECT_TRUE(PressApplyWaitingForAModeChange(&modeChanges, 10000).empty());
    EXPECT_GE(modeChanges, 1);
    EXPECT_EQ(IniInt("Acceleration", "Pointer"), 0);

    DEVMODEA after = {};
    after.dmSize = sizeof after;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &after));
    EXPECT_EQ(after.dmPelsWidth, before.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before.dmPelsHeight);
    EXPECT_EQ(after.dmBitsPerPel, before.dmBitsPerPel);
}

// Display Properties open twice: the first sheet's "&Reset" and Cancel
// must not reach the second sheet's settings.
TEST_F(ShellPageTest, TheFirstSheetsResetAndCancelLeaveTheSecondShowingAlone) {
    ExpectSecondShowingUntouchedBy([](HWND page, displayhost::DisplaySheet& sheet) {
        displayhost::Click(GetDlgItem(page, 1005));
        sheet.Press(PSBTN_CANCEL);
    });
}

// The first sheet's OK writes nothing and asks nothing.
TEST_F(ShellPageTest, TheFirstSheetsOkLeavesTheSecondShowingAlone) {
    ExpectSecondShowingUntouchedBy(
        [](HWND, displayhost::DisplaySheet& sheet) { sheet.Press(PSBTN_OK); });
}

}  // namespace
}  // namespace shelltest
