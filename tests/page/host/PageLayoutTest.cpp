// The page's layout pass on the headless template: metrics, one and two
// columns, pruning and the numbering of the created controls.
#include "page/ControlPlacement.h"
#include "page/host/PageFixture.h"
#include "support/WorkedExample.h"

namespace vxtest {
namespace {

using vx::Rect;

constexpr uint32_t kGroupBox = 0x50000007;
constexpr uint32_t kFirstCheck = 0x50030003;
constexpr uint32_t kCheck = 0x50000003;
constexpr uint32_t kFirstRadio = 0x50030009;
constexpr uint32_t kRadio = 0x50000009;

// A Group value, and a member bound to bit 0 of the INI integer `key`,
// without a default state or an action.
LayoutSetting Group(const char* name, const char* caption) {
    return {name, caption, "", "", ""};
}
LayoutSetting Member(const char* name, const char* caption, const char* key) {
    return {name, caption, key, "", ""};
}

class PageLayoutTest : public PageTest {
  protected:
    // Shows the page over an empty Layout key, then loads the settings and
    // builds the entry list by hand, ready for a layout pass with metrics
    // set directly.
    void ShowEmptyThenInsert(const std::vector<LayoutSetting>& settings, const std::string& ini) {
        Load({}, "");
        Show();
        Load(settings, ini);
        for (const LayoutSetting& s : settings) {
            page.InsertEntry(new vx::CSettingButton(s.name.c_str(), s.caption.c_str()));
        }
        // The headless template's metrics.
        vx::GroupBoxWidth = 352;
        vx::ColumnWidth = 159;
        vx::SecondColumnX = 195;
        vx::AvailableHeight = 270;
        vx::ResetLayoutCursor();
    }
    // The controls of a layout pass.
    std::vector<ControlView> LaidOut() {
        page.LayoutControls();
        return Views(Created());
    }
    // The worked example's controls in one column or in two.
    static std::vector<ControlView> Expected(ExampleBox ExampleControl::*box) {
        std::vector<ControlView> views;
        for (const ExampleControl& c : kExampleControls) {
            const ExampleBox& b = c.*box;
            views.push_back(
                {c.id, c.caption, vx::Rect{b.left, b.top, b.right, b.bottom}, c.style, c.checked});
        }
        return views;
    }
    void ExpectCursor(int32_t x, int32_t y, int32_t lastId) {
        EXPECT_EQ(vx::LayoutX, x);
        EXPECT_EQ(vx::LayoutY, y);
        EXPECT_EQ(vx::LastControlId, lastId);
        EXPECT_EQ(vx::GroupMemberCount, 0);
        EXPECT_EQ(vx::PendingGroup, nullptr);
    }
};

TEST_F(PageLayoutTest, MetricsComeFromTheResetButtonAndTheIcon) {
    Show();
    // "&Reset" at (288, 328)-(363, 351), the icon at (11, 8)-(38, 41).
    EXPECT_EQ(vx::GroupBoxWidth, 352);
    EXPECT_EQ(vx::ColumnWidth, 159);
    EXPECT_EQ(vx::SecondColumnX, 195);
    EXPECT_EQ(vx::AvailableHeight, 270);
    EXPECT_EQ(ui.sheets.InitDialogResult(), 1);
    ASSERT_NE(page.m_pButtonFont, nullptr);
    EXPECT_EQ(page.m_pButtonFont->GetSafeHandle(), ui.sheets.PageFont());
    EXPECT_TRUE(Created().empty());
}

TEST_F(PageLayoutTest, WorkedExampleInOneColumn) {
    LoadExample();
    Show();
    EXPECT_EQ(Views(Created()), Expected(&ExampleControl::oneColumn));
    for (const vx::HostWindow* w : Created()) EXPECT_EQ(w->font, ui.sheets.PageFont());
    ExpectCursor(11, 196, 2006);

    // Extra was pruned with its registry data; each member's id is 2000
    // plus its list position.
    EXPECT_EQ(EntryNames(), (std::vector<std::string>{"Group1_2", "Check1_1", "Check1_2",
                                                      "Group2_2", "Radio2_1", "Radio2_2"}));
    EXPECT_FALSE(platform.KeyExists(AssociationKey("Check1_3")));
    EXPECT_FALSE(platform.ValueExists(LayoutKey(), "Check1_3"));
    EXPECT_TRUE(platform.KeyExists(AssociationKey("Check1_2")));
    for (int position : {1, 2, 4, 5}) {
        EXPECT_EQ(Entry(position)->GetSafeHwnd(), Control(2000 + position)->handle);
    }
}

TEST_F(PageLayoutTest, WorkedExampleInTwoColumns) {
    ShowEmptyThenInsert(ExampleSettings(), kExampleIni);
    vx::AvailableHeight = 145;
    EXPECT_EQ(LaidOut(), Expected(&ExampleControl::twoColumns));
    ExpectCursor(11, 152, 2006);
}

TEST_F(PageLayoutTest, OneColumnWhenTheEstimateFitsTheAvailableHeight) {
    ShowEmptyThenInsert(ExampleSettings(), kExampleIni);
    // 25 + 22 + 22 + 33 + 22 + 22: Extra is not counted.
    const struct {
        int32_t available;
        int expected;
    } cases[] = {{270, 1}, {146, 1}, {145, 0}, {0, 0}, {-1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.available);
        vx::AvailableHeight = c.available;
        EXPECT_EQ(page.FitsOneColumn(), c.expected);
    }
}

TEST_F(PageLayoutTest, ThreeMembersInTwoColumns) {
    ShowEmptyThenInsert({Group("Group1_3", "Box"), Member("Check1_1", "A", "A"),
                         Member("Radio1_2", "B", "B"), Member("Check1_3", "C", "C")},
                        "[Display]\r\nA=1\r\nB=1\r\nC=0\r\n");
    vx::AvailableHeight = 0;
    vx::LayoutX = 11;
    vx::LayoutY = 100;
    EXPECT_EQ(LaidOut(), (std::vector<ControlView>{
                             {2001, "A", Rect{20, 122, 179, 137}, kFirstCheck, 1},
                             {2002, "B", Rect{195, 122, 354, 137}, kRadio, 1},
                             {2003, "C", Rect{20, 144, 179, 159}, kCheck, 0},
                             {2004, "Box", Rect{11, 100, 363, 169}, kGroupBox, 0},
                         }));
}

TEST_F(PageLayoutTest, EmptiedGroupsGetShortBoxesAndOrderZeroMovesFurther) {
    ShowEmptyThenInsert(
        {Group("Group1_1", "One"), Member("Check1_2", "Pruned", "P1"), Group("Group2_0", "Zero"),
         Member("Check2_1", "Pruned too", "P2"), Member("Check2_0", "Kept", "K0"),
         Group("Group3_1", "Three"), Member("Check3_1", "Last", "K3")},
        "[Display]\r\n");
    EXPECT_EQ(LaidOut(), (std::vector<ControlView>{
                             {2001, "One", Rect{11, 33, 363, 58}, kGroupBox, 0},
                             {2002, "Kept", Rect{20, 88, 338, 103}, kFirstCheck, 0},
                             {2003, "Zero", Rect{11, 66, 363, 113}, kGroupBox, 0},
                             {2004, "Last", Rect{20, 160, 338, 175}, kFirstCheck, 0},
                             {2005, "Three", Rect{11, 138, 363, 185}, kGroupBox, 0},
                         }));
    EXPECT_EQ(EntryNames(), (std::vector<std::string>{"Group1_1", "Group2_0", "Check2_0",
                                                      "Group3_1", "Check3_1"}));
    for (const char* pruned : {"Check1_2", "Check2_1"}) {
        SCOPED_TRACE(pruned);
        EXPECT_FALSE(platform.KeyExists(AssociationKey(pruned)));
        EXPECT_FALSE(platform.ValueExists(LayoutKey(), pruned));
    }
}

TEST_F(PageLayoutTest, EntriesWithoutAControlKeepTheirPlaceButUseNoId) {
    ShowEmptyThenInsert({Member("Check0_1", "Before any group", "A"), Group("Group1_3", "Box"),
                         Member("Other1_1", "No kind", "B"), Member("Radio1_2", "Shown", "C")},
                        "[Display]\r\n");
    vx::AvailableHeight = 69;  // 25 + 22 + 22: the entry of no kind counts
    EXPECT_EQ(page.FitsOneColumn(), 1);
    vx::AvailableHeight = 68;
    EXPECT_EQ(page.FitsOneColumn(), 0);

    vx::AvailableHeight = 270;
    EXPECT_EQ(LaidOut(), (std::vector<ControlView>{
                             {2001, "Shown", Rect{20, 72, 338, 87}, kFirstRadio, 0},
                             {2002, "Box", Rect{11, 50, 363, 97}, kGroupBox, 0},
                         }));
    EXPECT_EQ(EntryNames(),
              (std::vector<std::string>{"Check0_1", "Group1_3", "Other1_1", "Radio1_2"}));
    EXPECT_EQ(Entry(0)->GetSafeHwnd(), nullptr);
    EXPECT_EQ(Entry(2)->GetSafeHwnd(), nullptr);
}

TEST_F(PageLayoutTest, OnlyTheFirstMemberOfEachGroupStartsATabStopAndAGroup) {
    LoadExample();
    Show();
    for (const vx::HostWindow* w : Created()) {
        SCOPED_TRACE(w->caption);
        const bool first = w->caption == "Fast fill" || w->caption == "Standard";
        EXPECT_EQ((w->createStyle & 0x00030000) != 0, first);
    }
}

}  // namespace
}  // namespace vxtest
