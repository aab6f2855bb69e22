// The page's buttons when its window goes: they die with it, the entries
// stay until the next showing, and nothing is ever done to a dead handle
// (on Windows the handle may belong to another window by then).
#include "page/host/PageFixture.h"

namespace vxtest {
namespace {

class PageWindowTest : public PageTest {
  protected:
    // Messages that reached a window after it had been destroyed.
    size_t SentToDeadWindows(const std::vector<vx::WindowHandle>& dead) const {
        size_t count = 0;
        for (const vx::SentMessage& m : ui.windows.Sent()) {
            for (vx::WindowHandle w : dead) count += m.window == w ? 1 : 0;
        }
        return count;
    }
    // The Layout values and the Association keys of the example's settings.
    std::vector<std::string> StoredData() {
        std::vector<std::string> stored = platform.ValueNames(LayoutKey());
        for (const LayoutSetting& s : ExampleSettings()) {
            if (platform.KeyExists(AssociationKey(s.name))) stored.push_back("key " + s.name);
        }
        return stored;
    }
    std::vector<vx::WindowHandle> Buttons() const {
        std::vector<vx::WindowHandle> handles;
        for (const vx::HostWindow* w : Created()) handles.push_back(w->handle);
        return handles;
    }
};

TEST_F(PageWindowTest, ClosingThePageLeavesTheEntriesWithoutTheirDeadButtons) {
    LoadExample();
    Show();
    const std::vector<vx::WindowHandle> buttons = Buttons();
    const std::vector<std::string> entries = EntryNames();
    const std::vector<std::string> stored = StoredData();
    ASSERT_EQ(buttons.size(), 6u);
    ui.sheets.ClosePage();

    for (vx::WindowHandle b : buttons) EXPECT_TRUE(ui.windows.Find(b)->destroyed);
    EXPECT_EQ(EntryNames(), entries);
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(Entry(int(i))->GetSafeHwnd(), nullptr);
    EXPECT_EQ(StoredData(), stored);

    ui.windows.ClearSent();
    Show();  // replaces the entries of the first showing
    EXPECT_EQ(ui.windows.DestroyCallsOnDeadWindows(), 0);
    EXPECT_EQ(SentToDeadWindows(buttons), 0u);
    EXPECT_EQ(Created().size(), 6u);
    EXPECT_EQ(Entry(1)->GetSafeHwnd(), Control(2001)->handle);
    EXPECT_EQ(StoredData(), stored);
}

// Display Properties open twice: both sheets show the one page object, the
// second showing replacing the entries. The first sheet closing must leave
// the second one's buttons and window to it.
TEST_F(PageWindowTest, ClosingAnEarlierSheetLeavesTheLaterOneWorking) {
    LoadExample();
    handle = ui.sheets.CreatePage(page);
    const vx::WindowHandle first = ui.sheets.ShowPage(handle);
    const vx::WindowHandle second = ui.sheets.ShowInAnotherSheet(handle);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const std::vector<vx::WindowHandle> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 6u);

    ASSERT_EQ(ui.sheets.CloseSheet(first), 1);
    EXPECT_EQ(page.GetSafeHwnd(), second);
    EXPECT_EQ(Entry(1)->GetSafeHwnd(), buttons[0]);
    EXPECT_EQ(ui.windows.DestroyCallsOnDeadWindows(), 0);

    ui.sheets.Click(2001);  // Fast fill off
    EXPECT_TRUE(ui.sheets.IsModified());
    ui.sheets.PressApply();
    EXPECT_EQ(Ini(),
              "[Display]\r\nFastFill=0\r\nSmoothLines=0\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n");

    // The later sheet's own closing still lets go of everything.
    ASSERT_EQ(ui.sheets.CloseSheet(second), 1);
    EXPECT_EQ(page.GetSafeHwnd(), nullptr);
    EXPECT_EQ(Entry(1)->GetSafeHwnd(), nullptr);
}

// The module unloaded after the sheet has gone: the page object goes with
// the entries of its last showing.
TEST_F(PageWindowTest, DestroyingThePageAfterItsWindowTouchesNoDeadHandle) {
    LoadExample();
    const std::vector<vx::WindowHandle> buttons = [&] {
        vx::CZrDriveDlg other;
        ui.sheets.ShowPage(ui.sheets.CreatePage(other));
        std::vector<vx::WindowHandle> shown = Buttons();
        ui.sheets.ClosePage();
        ui.windows.ClearSent();
        return shown;
    }();
    ASSERT_EQ(buttons.size(), 6u);
    EXPECT_EQ(ui.windows.DestroyCallsOnDeadWindows(), 0);
    EXPECT_EQ(SentToDeadWindows(buttons), 0u);
}

// A page whose window is still there when the page object goes (the
// module detached with the sheet open) destroys the buttons itself.
TEST_F(PageWindowTest, DestroyingThePageWithItsWindowOpenDestroysTheButtons) {
    Show();  // over an empty Layout key: a parent window for the other page
    LoadExample();
    std::vector<vx::WindowHandle> buttons;
    {
        vx::CZrDriveDlg other;
        other.HandleInitDialog(ui.sheets.PageWindow());
        buttons = Buttons();
    }
    ASSERT_EQ(buttons.size(), 6u);
    for (vx::WindowHandle b : buttons) EXPECT_TRUE(ui.windows.Find(b)->destroyed);
    EXPECT_EQ(ui.windows.DestroyCallsOnDeadWindows(), 0);
}

}  // namespace
}  // namespace vxtest
