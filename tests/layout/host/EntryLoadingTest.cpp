// Loading where an eviction closes a gap in the Layout values: the index
// is not moved back, so the value behind the evicting one waits for the
// next load.
#include <string>
#include <vector>

#include "page/ZrDriveDlg.h"
#include "store/DriverFixture.h"

namespace vxtest {
namespace {

using EntryLoadingTest = DriverTest;

std::vector<std::string> Names(const vx::CZrDriveDlg& page) {
    std::vector<std::string> names;
    for (auto pos = page.m_entries.GetHeadPosition(); pos != nullptr;) {
        names.emplace_back(page.m_entries.GetNext(pos)->m_strName.c_str());
    }
    return names;
}

TEST_F(EntryLoadingTest, TheValueAfterAnEvictionIsLoadedNextTime) {
    platform.LoadRegistry(RegText({KeyLine(LayoutKey()), SzLine("Check1_1", "first"),
                                   SzLine("Check1-1", "second"), SzLine("Check1_3", "third")}));
    {
        vx::CZrDriveDlg page;
        page.LoadEntries();
        EXPECT_EQ(Names(page), (std::vector<std::string>{"Check1-1"}));
    }
    vx::CZrDriveDlg page;
    page.LoadEntries();
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Check1-1", "Check1_3"}));
    EXPECT_EQ(platform.ValueNames(LayoutKey()), (std::vector<std::string>{"Check1-1", "Check1_3"}));
}

}  // namespace
}  // namespace vxtest
