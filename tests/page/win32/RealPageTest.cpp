// The page in a real property sheet: the page window comes from template
// 107 in this program's resources, and the layout pass creates real
// buttons, measured with the platform's own metrics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/PendingAction.h"
#include "page/ControlPlacement.h"
#include "support/WorkedExample.h"
#include "support/win32/ExpectedWindows.h"
#include "support/win32/PageSheetTest.h"

namespace vxtest {
namespace {

constexpr int kApplyButton = 0x3021;  // the sheet's Apply button

struct Shown {
    int id;
    std::string caption;
    RECT rect;  // in the page's client area
    LONG style;
    LRESULT check;
};

class RealPageTest : public PageSheetTest {
  protected:
    std::vector<Shown> Controls() const {
        std::vector<Shown> shown;
        for (int id = 2001; id <= 2006; ++id) {
            HWND w = GetDlgItem(PageWindow(), id);
            if (w == nullptr) continue;
            Shown s{id, "", {}, GetWindowLongA(w, GWL_STYLE), SendMessageA(w, BM_GETCHECK, 0, 0)};
            char text[64] = "";
            GetWindowTextA(w, text, sizeof text);
            s.caption = text;
            GetWindowRect(w, &s.rect);
            MapWindowPoints(nullptr, PageWindow(), reinterpret_cast<POINT*>(&s.rect), 2);
            shown.push_back(s);
        }
        return shown;
    }
};

// The metrics come from the template's dialog units (the icon at (7, 5) as
// tall as the system's icons, "&Reset" at (192, 202) and 50 wide), so they
// grow with the screen's resolution.
TEST_F(RealPageTest, MetricsFollowTheTemplatesDialogUnits) {
    ASSERT_NE(Open(), nullptr);
    const TemplateMetrics expected = ExpectedTemplateMetrics();
    EXPECT_EQ(vx::GroupBoxWidth, expected.groupBoxWidth);
    EXPECT_EQ(vx::ColumnWidth, expected.columnWidth);
    EXPECT_EQ(vx::SecondColumnX, expected.secondColumnX);
    EXPECT_EQ(vx::AvailableHeight, expected.availableHeight);

    RECT units = {7, 5, 192 + 50, 202};
    ASSERT_TRUE(MapDialogRect(PageWindow(), &units));
    EXPECT_EQ(units.right - units.left, expected.groupBoxWidth);
    EXPECT_EQ(units.bottom - units.top - GetSystemMetrics(SM_CYICON) - 17,
              expected.availableHeight);
}

// The controls themselves lie in pixels from (10, 50) at every resolution;
// only their widths come from the metrics.
TEST_F(RealPageTest, TheWorkedExampleWithThePlatformsMetrics) {
    ASSERT_NE(Open(), nullptr);
    const TemplateMetrics metrics = ExpectedTemplateMetrics();
    ASSERT_EQ(vx::GroupBoxWidth, metrics.groupBoxWidth);
    ASSERT_EQ(vx::AvailableHeight, metrics.availableHeight);
    ASSERT_GE(vx::AvailableHeight, 146) << "the example needs one column";

    // The worked example's places in one column, with the right edges that
    // this resolution's metrics give.
    std::vector<Shown> expected;
    for (const ExampleControl& c : kExampleControls) {
        const bool group = c.entry[0] == 'G';
        const LONG right = group ? metrics.groupBoxRight : metrics.buttonRight;
        expected.push_back({c.id,
                            c.caption,
                            {c.oneColumn.left, c.oneColumn.top, right, c.oneColumn.bottom},
                            static_cast<LONG>(c.style),
                            c.checked ? 1 : 0});
    }
    const std::vector<Shown> shown = Controls();
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(shown[i].caption, expected[i].caption);
        EXPECT_TRUE(EqualRect(&shown[i].rect, &expected[i].rect))
            << shown[i].rect.left << "," << shown[i].rect.top << "," << shown[i].rect.right << ","
            << shown[i].rect.bottom;
        EXPECT_EQ(shown[i].style, expected[i].style);
        EXPECT_EQ(shown[i].check, expected[i].check);
        EXPECT_EQ(SendMessageA(GetDlgItem(PageWindow(), shown[i].id), WM_GETFONT, 0, 0),
                  SendMessageA(GetDlgItem(PageWindow(), 1005), WM_GETFONT, 0, 0));
    }
    EXPECT_FALSE(platform.KeyExists(AssociationKey("Check1_3")));

    // A second showing of the same page object gives the same page.
    Close();
    ASSERT_NE(Open(), nullptr);
    const std::vector<Shown> again = Controls();
    ASSERT_EQ(again.size(), shown.size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_TRUE(EqualRect(&again[i].rect, &shown[i].rect));
        EXPECT_EQ(again[i].style, shown[i].style);
        EXPECT_EQ(again[i].check, shown[i].check);
    }
    EXPECT_TRUE(platform.KeyExists(AssociationKey("Check1_2")));
}

TEST_F(RealPageTest, ClickMarksTheSheetAndApplyWritesTheIniFile) {
    ASSERT_NE(Open(), nullptr);
    HWND apply = GetDlgItem(sheet, kApplyButton);
    ASSERT_NE(apply, nullptr);
    EXPECT_FALSE(IsWindowEnabled(apply));
    SendMessageA(GetDlgItem(PageWindow(), 2004), BM_CLICK, 0, 0);  // the radio button already on
    EXPECT_FALSE(IsWindowEnabled(apply));
    SendMessageA(GetDlgItem(PageWindow(), 2001), BM_CLICK, 0, 0);  // Fast fill off
    EXPECT_TRUE(IsWindowEnabled(apply));

    SendMessageA(sheet, PSM_APPLY, 0, 0);
    EXPECT_EQ(TestPlatform::ReadFile(iniPath),
              "[Display]\r\nFastFill=0\r\nSmoothLines=0\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n");
    EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");

    SendMessageA(GetDlgItem(PageWindow(), 1005), BM_CLICK, 0,
                 0);  // "&Reset": Fast fill's default is on
    EXPECT_EQ(SendMessageA(GetDlgItem(PageWindow(), 2001), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Display Properties open twice: both sheets show the one page object. The
// first sheet closing must leave the second one's buttons and window to it.
TEST_F(RealPageTest, ClosingAnEarlierSheetLeavesTheLaterOneWorking) {
    ASSERT_NE(Open(), nullptr);
    vx::UniqueWindow first(sheetOwner.release());
    HWND secondPage = Open();
    ASSERT_NE(secondPage, nullptr);
    first.reset();
    EXPECT_EQ(PageWindow(), secondPage);

    HWND apply = GetDlgItem(sheet, kApplyButton);
    ASSERT_NE(apply, nullptr);
    SendMessageA(GetDlgItem(secondPage, 2001), BM_CLICK, 0, 0);  // Fast fill off
    EXPECT_TRUE(IsWindowEnabled(apply));
    SendMessageA(sheet, PSM_APPLY, 0, 0);
    EXPECT_EQ(TestPlatform::ReadFile(iniPath),
              "[Display]\r\nFastFill=0\r\nSmoothLines=0\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n");
}

// Display Properties open twice: the first sheet's "&Reset", Cancel and OK
// leave the second showing as its clicks left it (its INI integers, checks,
// Apply button and the pending action), and the second sheet's own Apply
// then writes what a single sheet's does.
TEST_F(RealPageTest, TheFirstSheetsButtonsLeaveTheSecondShowingAlone) {
    // Smooth lines on, against its default: a reset of the second showing
    // would raise its action.
    const char kSmoothOnIni[] =
        "[Display]\r\nFastFill=1\r\nSmoothLines=1\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n";
    const char kFastFillOffIni[] =
        "[Display]\r\nFastFill=0\r\nSmoothLines=1\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n";
    TestPlatform::WriteFile(iniPath, kSmoothOnIni);
    ASSERT_NE(Open(), nullptr);
    SendMessageA(GetDlgItem(PageWindow(), 2001), BM_CLICK, 0, 0);  // Fast fill off
    SendMessageA(sheet, PSM_APPLY, 0, 0);
    ASSERT_EQ(TestPlatform::ReadFile(iniPath), kFastFillOffIni) << "a single sheet";
    Close();

    for (const int button : {PSBTN_CANCEL, PSBTN_OK}) {
        SCOPED_TRACE(button == PSBTN_OK ? "OK" : "Cancel");
        TestPlatform::WriteFile(iniPath, kSmoothOnIni);
        ASSERT_NE(Open(), nullptr);
        vx::UniqueWindow firstSheet(sheetOwner.release());
        const HWND first = firstSheet.get();
        const HWND firstPage = PageWindow();
        const HWND secondPage = Open();
        ASSERT_NE(secondPage, nullptr);
        const HWND apply = GetDlgItem(sheet, kApplyButton);
        SendMessageA(GetDlgItem(secondPage, 2001), BM_CLICK, 0, 0);
        ASSERT_TRUE(IsWindowEnabled(apply));
        const std::vector<Shown> shown = Controls();

        SendMessageA(GetDlgItem(firstPage, 1005), BM_CLICK, 0, 0);  // "&Reset"
        SendMessageA(first, PSM_PRESSBUTTON, button, 0);
        EXPECT_EQ(TestPlatform::ReadFile(iniPath), kSmoothOnIni);
        const std::vector<Shown> after = Controls();
        ASSERT_EQ(after.size(), shown.size());
        for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i].check, shown[i].check);
        EXPECT_TRUE(IsWindowEnabled(apply));
        EXPECT_EQ(std::string(vx::PendingAction), "Dynamic");
        firstSheet.reset();

        // The sheet's Apply button (PSM_APPLY alone leaves it enabled).
        SendMessageA(apply, BM_CLICK, 0, 0);
        EXPECT_EQ(TestPlatform::ReadFile(iniPath), kFastFillOffIni);
        EXPECT_FALSE(IsWindowEnabled(apply));
        Close();
    }
}

}  // namespace
}  // namespace vxtest
