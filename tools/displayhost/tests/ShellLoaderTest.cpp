// tarnel.dll loaded by Wine's shell32, as the Display control panel loads
// it: SHCreatePropSheetExtArray creates and initialises every handler
// registered for Display, SHAddFromPropSheetExtArray asks for the pages.
// Wine's loader never gives back the IShellExtInit it asked for, so one
// reference stays behind and the module stays loaded.
#include <gtest/gtest.h>

#include "DisplaySheet.h"
#include "DriverLayout.h"
#include "HeldCtrlKey.h"
#include "PageControls.h"
#include "ShellExtensionPages.h"
#include "ShellFixture.h"
#include "WindowsShellLoader.h"

namespace shelltest {
namespace {

using displayhost::DisplaySheet;
using displayhost::PageHandles;
using displayhost::PropSheetExtArray;

// Wine's loader asks for the pages while it still holds the IShellExtInit.
std::vector<std::string> CreationAndPagesTrace() {
    std::vector<std::string> trace = CreationTrace();
    trace.push_back("CShellExt::AddPages()");
    return trace;
}

class ShellLoaderTest : public ShellTest {};

TEST_F(ShellLoaderTest, WithCtrlHeldTheVexaroPageIsAddedAndShown) {
    PageHandles pages;
    auto handlers = std::make_unique<PropSheetExtArray>(HKEY_LOCAL_MACHINE,
                                                        displayhost::kDisplayControlsKey, 8);
    ASSERT_TRUE(handlers->Valid());
    {
        displayhost::HeldCtrlKey ctrl;
        ASSERT_TRUE(ctrl.Held());
        EXPECT_EQ(handlers->AddPages(&pages), 1u);
    }
    ASSERT_EQ(pages.Count(), 1u);
    EXPECT_EQ(Trace(), CreationAndPagesTrace());

    {
        DisplaySheet sheet(pages.Release());
        ASSERT_NE(sheet.OpenModeless(nullptr), nullptr);
        HWND page = sheet.ShowPage(1);
        ASSERT_NE(page, nullptr);
        char title[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = sizeof title;
        HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet.Window(), PSM_GETTABCONTROL, 0, 0));
        SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(title, "Vexaro");

        // One control per Layout value of the sample driver, ids from 2001 on.
        std::vector<displayhost::PageControl> controls = displayhost::ReadPageControls(page);
        std::vector<displayhost::LayoutSetting> layout = displayhost::ReadDriverLayout(kDriverKey);
        ASSERT_EQ(controls.size(), layout.size());
        for (size_t i = 0; i < controls.size(); ++i) {
            EXPECT_EQ(controls[i].id, static_cast<int>(2001 + i));
            bool described = false;
            for (const displayhost::LayoutSetting& s : layout)
                described |= s.caption == controls[i].text && s.kind == controls[i].kind;
            EXPECT_TRUE(described) << controls[i].id << " \"" << controls[i].text << "\"";
        }
        EXPECT_NE(GetDlgItem(page, 1005), nullptr);  // the template's own "&Reset"
    }
    // Sheet gone; the shell now drops its handlers.
    handlers.reset();

    std::vector<std::string> expected = CreationAndPagesTrace();
    expected.push_back("CShellExt::Release()");
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(OutstandingReferences(), 1);
    EXPECT_EQ(TarnelCanUnloadNow(), S_FALSE);
    for (const std::string& text : m_trace.Texts()) {
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << text;
    }
}

TEST_F(ShellLoaderTest, WithoutCtrlNoPageIsAdded) {
    ASSERT_FALSE(displayhost::CtrlIsDown());
    PageHandles pages;
    {
        PropSheetExtArray handlers(HKEY_LOCAL_MACHINE, displayhost::kDisplayControlsKey, 8);
        ASSERT_TRUE(handlers.Valid());
        EXPECT_EQ(handlers.AddPages(&pages), 0u);
        EXPECT_EQ(pages.Count(), 0u);
    }
    std::vector<std::string> trace = Trace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "CShellExt::AddPages()"), 1);
    EXPECT_EQ(trace.back(), "CShellExt::Release()");
    EXPECT_EQ(OutstandingReferences(), 1);
}

}  // namespace
}  // namespace shelltest
