// Clicks, "&Reset", Cancel, Help and Apply on the shown page.
#include "layout/PendingAction.h"
#include "page/host/PageFixture.h"
#include "platform/WinConstants.h"
#include "resources/resource.h"
#include "server/ModuleGlobals.h"

namespace vxtest {
namespace {

// The example with Smooth lines on in the INI file, against its default.
constexpr char kSmoothOnIni[] =
    "[Display]\r\nFastFill=1\r\nSmoothLines=1\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n";

class PageCommandTest : public PageTest {
  protected:
    void Start(const std::string& ini = kExampleIni) {
        Load(ExampleSettings(), ini);
        Show();
    }
    void Command(uint32_t wParam) { ui.sheets.SendToPage(vx::kWmCommand, wParam, 0); }
    int Check(int id) const { return Control(id)->check; }
    // The check of the control that an entry had, also after the page closed.
    int EntryCheck(int position) const {
        return ui.windows.Find(Entry(position)->GetSafeHwnd())->check;
    }
};

TEST_F(PageCommandTest, AClickOnACheckBoxMarksThePageModified) {
    Start();
    EXPECT_FALSE(ui.sheets.IsModified());
    ui.sheets.Click(2002);
    EXPECT_EQ(Check(2002), 1);
    EXPECT_TRUE(ui.sheets.IsModified());
    ui.sheets.Click(2002);  // back to its loaded state: still a change
    EXPECT_EQ(Check(2002), 0);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 2);
}

TEST_F(PageCommandTest, AClickOnTheRadioButtonLoadedAsOnDoesNotMarkThePage) {
    Start();
    ui.sheets.Click(2004);
    EXPECT_FALSE(ui.sheets.IsModified());
    ui.sheets.Click(2005);
    EXPECT_EQ(Check(2004), 0);
    EXPECT_EQ(Check(2005), 1);
    EXPECT_TRUE(ui.sheets.IsModified());
    // Until Apply the entry keeps its loaded state: clicking back marks nothing.
    ui.sheets.Click(2004);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 1);
}

// More than 256 entries: command 2255 stands for list position 255 and
// 2256 for none, though position 256 holds an entry. Position 254 holds the
// checked radio button, so a command one position off marks nothing.
TEST_F(PageCommandTest, EntryCommandsEndAtPosition255) {
    std::vector<LayoutSetting> settings;
    const std::string groups = "123456789abcdefghijklmnopq";  // 26 groups of 10 entries
    for (char g : groups) {
        settings.push_back({std::string("Group") + g + "_9", "Group", "", "", ""});
        for (char order = '1'; order <= '9'; ++order) {
            const bool radio = g == 'q' && order == '4';  // list position 254
            settings.push_back({std::string(radio ? "Radio" : "Check") + g + "_" + order, "Setting",
                                radio ? "Standard" : "", radio ? "On" : "", ""});
        }
    }
    Load(settings, kExampleIni);
    Show();
    ASSERT_EQ(page.m_entries.GetCount(), 260);
    ASSERT_EQ(Entry(254)->IsCheckedRadio(), 1);
    ASSERT_EQ(Entry(255)->m_strName, "Checkq_5");
    ASSERT_EQ(Entry(256)->m_strName, "Checkq_6");

    Command(2256);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 0);
    Command(2255);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 1);
}

TEST_F(PageCommandTest, CommandsOutsideTheEntriesChangeNothing) {
    Start();
    const uint32_t ignored[] = {
        2000,
        2256,
        2300,
        0xFFFF,  // not an entry's id
        2006,
        2255,               // positions past the end of the list
        (1u << 16) | 2002,  // not a click
    };
    for (uint32_t w : ignored) Command(w);
    ui.sheets.Click(2003);  // a group box takes no clicks
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 0);
    // A command stands for the entry at list position id - 2000, whatever
    // control has the id: 2003 is Group 1's box but position 3 is Group 2.
    Command(2003);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 1);
}

TEST_F(PageCommandTest, ResetWithAppliedStatesAtTheirDefaultsMarksNothing) {
    Start();
    ui.sheets.Click(2002);
    ui.sheets.Click(2005);
    const int marks = ui.sheets.ModifiedMarks();
    ui.sheets.Click(IDC_RESET);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), marks);
    EXPECT_EQ(Check(2001), 1);
    EXPECT_EQ(Check(2002), 0);
    EXPECT_EQ(Check(2004), 1);
    EXPECT_EQ(Check(2005), 0);
    EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");
    EXPECT_EQ(Ini(), kExampleIni);
}

TEST_F(PageCommandTest, ResetOfAnEntryAwayFromItsDefaultMarksAndRaisesItsAction) {
    Start(kSmoothOnIni);
    EXPECT_EQ(Check(2002), 1);
    ui.sheets.Click(IDC_RESET);
    EXPECT_EQ(Check(2002), 0);
    EXPECT_TRUE(ui.sheets.IsModified());
    EXPECT_EQ(std::string(vx::PendingAction), "Mode");
    EXPECT_EQ(Entry(2)->m_nAppliedState, 0);
    EXPECT_EQ(Ini(), kSmoothOnIni);
}

TEST_F(PageCommandTest, CancelResetsWithoutWritingAndALaterApplyActsOnTheLevel) {
    Start(kSmoothOnIni);
    ui.sheets.Click(2005);
    // The buttons go with the page's window; their records stay readable.
    const vx::WindowHandle buttons[] = {Entry(2)->GetSafeHwnd(), Entry(4)->GetSafeHwnd(),
                                        Entry(5)->GetSafeHwnd()};
    ui.sheets.PressCancel();
    EXPECT_EQ(ui.sheets.PageWindow(), nullptr);
    EXPECT_EQ(ui.windows.Find(buttons[0])->check, 0);
    EXPECT_EQ(ui.windows.Find(buttons[1])->check, 1);
    EXPECT_EQ(ui.windows.Find(buttons[2])->check, 0);
    EXPECT_EQ(std::string(vx::PendingAction), "Mode");
    EXPECT_EQ(Ini(), kSmoothOnIni);

    Show();
    ui.sheets.PressApply();
    EXPECT_EQ(HostServices().Libraries().LoadAttempts("ferolib.dll"), 1);
}

TEST_F(PageCommandTest, ApplyWritesEverySettingThenAsksToRestart) {
    Start("[Display]\r\nFastFill=001\r\nSmoothLines=0\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n");
    ui.sheets.Click(2002);
    ui.sheets.Click(2005);
    EXPECT_EQ(ui.sheets.PressApply(), 0);
    EXPECT_FALSE(ui.sheets.IsModified());
    // FastFill did not change and is written all the same; Extra was pruned.
    EXPECT_EQ(Ini(),
              "[Display]\r\nFastFill=1\r\nSmoothLines=1\r\nExtra=1\r\nStandard=0\r\nHigh=1\r\n");
    EXPECT_EQ(std::string(vx::PendingAction), "Reboot");
    ASSERT_EQ(ui.shell.messageBoxes.size(), 1u);
    EXPECT_TRUE(ui.shell.restarts.empty());
    EXPECT_EQ(Entry(2)->m_nAppliedState, 1);
    EXPECT_EQ(Entry(4)->m_nAppliedState, 0);

    // Nothing changed since: the next Apply rewrites and asks again.
    ui.shell.QueueAnswer(vx::kIdYes);
    ui.sheets.PressApply();
    EXPECT_EQ(ui.shell.messageBoxes.size(), 2u);
    ASSERT_EQ(ui.shell.restarts.size(), 1u);
}

TEST_F(PageCommandTest, ApplyWithoutChangesAtDynamicCallsNothingFurther) {
    Start();
    ui.sheets.PressApply();
    EXPECT_EQ(Ini(), kExampleIni);
    EXPECT_EQ(ui.shell.CallCount(), 0u);
    EXPECT_EQ(HostServices().System().MetricsCalls(), 0);
}

TEST_F(PageCommandTest, HelpOpensTheHelpFileAtItsContents) {
    Start();
    ui.sheets.PressHelp();
    ASSERT_EQ(HostServices().ModulePath().Calls().size(), 1u);
    EXPECT_EQ(HostServices().ModulePath().Calls()[0].module, vx::ModuleInstance);
    EXPECT_EQ(HostServices().ModulePath().Calls()[0].fileName, "tarnel.hlp");
    ASSERT_EQ(ui.shell.helpCalls.size(), 1u);
    const vx::HelpCall& help = ui.shell.helpCalls[0];
    EXPECT_EQ(help.window, ui.sheets.PageWindow());
    EXPECT_EQ(help.file, "C:\\WINDOWS\\SYSTEM\\tarnel.hlp");
    EXPECT_EQ(help.command, vx::kHelpFinder);
    EXPECT_EQ(help.data, 0u);
    EXPECT_FALSE(ui.sheets.IsModified());
}

TEST_F(PageCommandTest, NoHelpWithoutTheHelpFilePath) {
    Start();
    HostServices().ModulePath().SetReturnValue(0);
    ui.sheets.PressHelp();
    EXPECT_EQ(HostServices().ModulePath().Calls().size(), 1u);
    EXPECT_TRUE(ui.shell.helpCalls.empty());
}

}  // namespace
}  // namespace vxtest
