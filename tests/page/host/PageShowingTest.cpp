// The one page object across showings, its runtime-class record and its
// message map.
#include <memory>

#include "page/host/PageFixture.h"
#include "platform/WinConstants.h"

namespace vxtest {
namespace {

using PageShowingTest = PageTest;

TEST_F(PageShowingTest, ASecondShowingLaysOutAndNumbersAsTheFirstAndDeletesNothing) {
    LoadExample();
    Show();
    const std::vector<ControlView> first = Views(Created());
    const std::vector<std::string> firstEntries = EntryNames();
    const std::vector<vx::WindowHandle> firstButtons = [&] {
        std::vector<vx::WindowHandle> handles;
        for (const vx::HostWindow* w : Created()) handles.push_back(w->handle);
        return handles;
    }();
    const std::vector<std::string> layoutValues = platform.ValueNames(LayoutKey());
    ui.sheets.ClosePage();

    Show();
    EXPECT_EQ(Views(Created()), first);
    EXPECT_EQ(EntryNames(), firstEntries);
    EXPECT_EQ(vx::LayoutY, 196);
    EXPECT_EQ(vx::LastControlId, 2006);
    // Nothing of the first showing's entries was evicted from the registry.
    EXPECT_EQ(platform.ValueNames(LayoutKey()), layoutValues);
    for (const std::string& name : firstEntries) {
        if (name.rfind("Group", 0) == 0) continue;
        SCOPED_TRACE(name);
        EXPECT_TRUE(platform.KeyExists(AssociationKey(name)));
    }
    EXPECT_EQ(Ini(), kExampleIni);
    // The earlier buttons are gone and the new ones are the entries' own.
    for (vx::WindowHandle old : firstButtons) EXPECT_TRUE(ui.windows.Find(old)->destroyed);
    EXPECT_EQ(Entry(1)->GetSafeHwnd(), Control(2001)->handle);
}

TEST_F(PageShowingTest, ShowingAgainWhileStillOpenReplacesTheEntries) {
    LoadExample();
    Show();
    const vx::WindowHandle firstCheck = Control(2001)->handle;
    page.HandleInitDialog(ui.sheets.PageWindow());
    EXPECT_TRUE(ui.windows.Find(firstCheck)->destroyed);
    EXPECT_EQ(Views(Created()).size(), 6u);
    EXPECT_EQ(Control(2001)->caption, "Fast fill");
    EXPECT_EQ(EntryNames().size(), 6u);
}

TEST_F(PageShowingTest, RuntimeClassRecord) {
    const vx::CRuntimeClass& record = vx::CZrDriveDlg::classCZrDriveDlg;
    EXPECT_STREQ(record.m_lpszClassName, "CZrDriveDlg");
    EXPECT_EQ(record.m_nObjectSize, static_cast<int>(sizeof(vx::CZrDriveDlg)));
    EXPECT_EQ(record.m_wSchema, 0xFFFFu);
    ASSERT_NE(record.m_pfnGetBaseClass, nullptr);
    EXPECT_EQ(record.m_pfnGetBaseClass(), &vx::CPropertyPageBase::classCPropertyPage);
    EXPECT_EQ(page.GetRuntimeClass(), &record);

    std::unique_ptr<vx::CObject> made(record.CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), &record);
    EXPECT_EQ(static_cast<vx::CZrDriveDlg*>(made.get())->Record().templateId, 107u);
}

TEST_F(PageShowingTest, ConstructionResetsTheLayoutCursor) {
    vx::LayoutX = 1;
    vx::LayoutY = 2;
    vx::LastControlId = 3;
    vx::GroupMemberCount = 4;
    vx::CZrDriveDlg fresh;
    EXPECT_EQ(vx::LayoutX, 10);
    EXPECT_EQ(vx::LayoutY, 50);
    EXPECT_EQ(vx::LastControlId, 2000);
    EXPECT_EQ(vx::GroupMemberCount, 0);
    EXPECT_EQ(vx::PendingGroup, nullptr);
    EXPECT_TRUE(fresh.m_entries.IsEmpty());
}

TEST_F(PageShowingTest, MouseAndContextMenuGetTheDefaultProcessingOnly) {
    LoadExample();
    Show();
    for (uint32_t message : {vx::kWmContextMenu, vx::kWmLButtonDown}) {
        int handled = -1;
        ui.sheets.SendToPage(message, 0, 0, &handled);
        EXPECT_EQ(handled, 0);
    }
    EXPECT_EQ(ui.sheets.ModifiedMarks(), 0);
}

}  // namespace
}  // namespace vxtest
