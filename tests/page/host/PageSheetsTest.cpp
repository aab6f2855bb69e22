// Display Properties open twice in one process: both sheets show the one
// page object, and the second showing replaced the entries. What the first
// sheet's buttons send must leave the second showing as it was: its INI
// integers, its checks, its Apply button and the pending action.
#include "layout/PendingAction.h"
#include "page/host/PageFixture.h"
#include "resources/resource.h"

namespace vxtest {
namespace {

// The example with Smooth lines on in the INI file, against its default
// (off): a reset of the second showing would raise its action.
constexpr char kSmoothOnIni[] =
    "[Display]\r\nFastFill=1\r\nSmoothLines=1\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n";

// What one sheet's Apply left behind.
struct Applied {
    std::string ini;
    std::string pending;
    size_t questions;
};

class PageSheetsTest : public PageTest {
  protected:
    // Opens two sheets on the page; the second one is current.
    void OpenTwo() {
        Load(ExampleSettings(), kSmoothOnIni);
        handle = ui.sheets.CreatePage(page);
        first = ui.sheets.ShowPage(handle);
        second = ui.sheets.ShowInAnotherSheet(handle);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
    }
    // Fast fill off and High (a restart setting) selected.
    void ClickSettings(vx::WindowHandle window) {
        ASSERT_EQ(ui.sheets.ClickIn(window, 2001), 1);
        ASSERT_EQ(ui.sheets.ClickIn(window, 2005), 1);
    }
    std::vector<int> Checks(vx::WindowHandle window) const {
        std::vector<int> checks;
        for (const vx::HostWindow* w : ui.windows.Children(window)) {
            if (w->id > vx::ControlIdBase) checks.push_back(w->check);
        }
        return checks;
    }
    std::vector<int> AppliedStates() const {
        std::vector<int> states;
        for (auto pos = page.m_entries.GetHeadPosition(); pos != nullptr;) {
            states.push_back(page.m_entries.GetNext(pos)->m_nAppliedState);
        }
        return states;
    }
    Applied ApplyIn(vx::WindowHandle window) {
        EXPECT_EQ(ui.sheets.PressApplyIn(window), 0);
        return {Ini(), vx::PendingAction.c_str(), ui.shell.messageBoxes.size()};
    }
    // Asserts that the second showing is as the clicks left it.
    void ExpectSecondUntouched(const std::vector<int>& checks, const std::vector<int>& applied) {
        EXPECT_EQ(Ini(), kSmoothOnIni);
        EXPECT_EQ(Checks(second), checks);
        EXPECT_EQ(AppliedStates(), applied);
        EXPECT_TRUE(ui.sheets.IsModifiedIn(second));
        EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");
        EXPECT_TRUE(ui.shell.messageBoxes.empty());
    }

    vx::WindowHandle first = nullptr;
    vx::WindowHandle second = nullptr;
};

TEST_F(PageSheetsTest, TheFirstSheetsResetAndCancelLeaveTheSecondShowingAlone) {
    OpenTwo();
    ClickSettings(second);
    const std::vector<int> checks = Checks(second);
    const std::vector<int> applied = AppliedStates();
    const int marks = ui.sheets.ModifiedMarks();

    ui.sheets.ClickIn(first, IDC_RESET);
    ExpectSecondUntouched(checks, applied);
    EXPECT_FALSE(ui.sheets.IsModifiedIn(first));
    ui.sheets.PressCancelIn(first);
    ExpectSecondUntouched(checks, applied);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), marks);
    EXPECT_EQ(ui.sheets.OpenSheetCount(), 1);
    EXPECT_EQ(page.GetSafeHwnd(), second);
}

TEST_F(PageSheetsTest, TheFirstSheetsOkWritesNothingAndTheSecondsApplyIsASingleSheets) {
    // The same clicks and Apply in a sheet of its own.
    Load(ExampleSettings(), kSmoothOnIni);
    const vx::WindowHandle alone = Show();
    ClickSettings(alone);
    const Applied single = ApplyIn(alone);
    ASSERT_EQ(single.questions, 1u);
    ASSERT_EQ(single.pending, "Reboot");
    ASSERT_NE(single.ini, kSmoothOnIni);
    ui.sheets.ClosePage();
    ui.shell.messageBoxes.clear();
    vx::PendingAction = "Dynamic";

    OpenTwo();
    ClickSettings(second);
    const std::vector<int> checks = Checks(second);
    const std::vector<int> applied = AppliedStates();

    // OK: apply, then the sheet closes.
    EXPECT_EQ(ui.sheets.PressApplyIn(first), 0);
    ASSERT_EQ(ui.sheets.CloseSheet(first), 1);
    ExpectSecondUntouched(checks, applied);

    const Applied own = ApplyIn(second);
    EXPECT_EQ(own.ini, single.ini);
    EXPECT_EQ(own.pending, single.pending);
    EXPECT_EQ(own.questions, single.questions);
    EXPECT_FALSE(ui.sheets.IsModifiedIn(second));
}

// The later sheet closed first: its entries stay with the page, without
// buttons. The earlier sheet's OK must neither write them nor ask the
// restart question a second time.
TEST_F(PageSheetsTest, AfterTheCurrentSheetClosesTheEarlierOneStillChangesNothing) {
    OpenTwo();
    ClickSettings(second);
    ApplyIn(second);
    ASSERT_EQ(ui.shell.messageBoxes.size(), 1u);
    const std::string ini = Ini();
    ASSERT_EQ(ui.sheets.CloseSheet(second), 1);
    ASSERT_EQ(page.GetSafeHwnd(), nullptr);

    ui.sheets.ClickIn(first, IDC_RESET);
    EXPECT_EQ(ui.sheets.PressApplyIn(first), 0);
    ui.sheets.PressCancelIn(first);
    EXPECT_EQ(Ini(), ini);
    EXPECT_EQ(ui.shell.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 2);
}

}  // namespace
}  // namespace vxtest
