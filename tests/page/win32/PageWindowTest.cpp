// The page's buttons when a real sheet destroys the page's window: they die
// with it, and the entries that stay until the next showing hold no handle
// that the system could give to another window.
#include <gtest/gtest.h>

#include <vector>

#include "support/win32/PageSheetTest.h"

namespace vxtest {
namespace {

class PageWindowTest : public PageSheetTest {
  protected:
    std::vector<HWND> EntryWindows() const {
        std::vector<HWND> windows;
        for (auto pos = page->m_entries.GetHeadPosition(); pos != nullptr;) {
            windows.push_back(reinterpret_cast<HWND>(page->m_entries.GetNext(pos)->GetSafeHwnd()));
        }
        return windows;
    }
};

TEST_F(PageWindowTest, EntriesLetGoOfTheButtonsThatDieWithThePage) {
    HWND pageWindow = Open();
    ASSERT_NE(pageWindow, nullptr);
    const std::vector<HWND> shown = EntryWindows();
    ASSERT_EQ(shown.size(), 6u);
    for (HWND button : shown) EXPECT_TRUE(IsWindow(button));

    Close();
    EXPECT_FALSE(IsWindow(pageWindow));
    EXPECT_EQ(page->GetSafeHwnd(), nullptr);
    const std::vector<HWND> after = EntryWindows();
    ASSERT_EQ(after.size(), shown.size());  // the entries stay until the next showing
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_FALSE(IsWindow(shown[i]));
        EXPECT_EQ(after[i], nullptr);
    }

    // The next showing makes new entries with live buttons.
    ASSERT_NE(Open(), nullptr);
    for (HWND button : EntryWindows()) {
        EXPECT_TRUE(IsWindow(button));
        EXPECT_EQ(GetParent(button), reinterpret_cast<HWND>(page->GetSafeHwnd()));
    }
}

}  // namespace
}  // namespace vxtest
