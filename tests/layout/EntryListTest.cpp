// The page's sorted entry list: insertion, eviction of equal entries with
// their registry data, and loading from the Layout values.
#include <string>
#include <vector>

#include "page/ZrDriveDlg.h"
#include "store/DriverFixture.h"

namespace vxtest {
namespace {

class EntryListTest : public DriverTest {
  protected:
    static std::vector<std::string> Names(const vx::CZrDriveDlg& page) {
        std::vector<std::string> names;
        for (auto pos = page.m_entries.GetHeadPosition(); pos != nullptr;) {
            names.emplace_back(page.m_entries.GetNext(pos)->m_strName.c_str());
        }
        return names;
    }

    // Layout values in the given order, each with an Association key.
    void LoadLayout(const std::vector<std::string>& names) {
        std::vector<std::string> lines = {KeyLine(LayoutKey())};
        for (const std::string& name : names) lines.push_back(SzLine(name, "Caption " + name));
        for (const std::string& name : names) {
            lines.push_back("");
            lines.push_back(KeyLine(AssociationKey(name)));
            lines.push_back(SzLine("Section", "Video"));
        }
        std::string text = "REGEDIT4\r\n\r\n";
        for (const std::string& line : lines) text += line + "\r\n";
        platform.LoadRegistry(text);
    }
    bool LayoutValueExists(const std::string& name) {
        return platform.ValueExists(LayoutKey(), name);
    }
    bool AssociationExists(const std::string& name) {
        return platform.KeyExists(AssociationKey(name));
    }

    vx::CZrDriveDlg page;
};

const std::vector<std::string> kExampleOrder = {"Check1_2", "Group1_3", "Check1_1",
                                                "Radio2_1", "Group2_5", "Check1-2"};

TEST_F(EntryListTest, InsertionKeepsTheListSortedAndEvictsEqualEntries) {
    LoadLayout(kExampleOrder);
    const std::vector<std::vector<std::string>> after = {
        {"Check1_2"},
        {"Group1_3", "Check1_2"},
        {"Group1_3", "Check1_1", "Check1_2"},
        {"Group1_3", "Check1_1", "Check1_2", "Radio2_1"},
        {"Group1_3", "Check1_1", "Check1_2", "Group2_5", "Radio2_1"},
        {"Group1_3", "Check1_1", "Check1-2", "Group2_5", "Radio2_1"},
    };
    for (size_t i = 0; i < kExampleOrder.size(); ++i) {
        SCOPED_TRACE(kExampleOrder[i]);
        page.InsertEntry(new vx::CSettingButton(kExampleOrder[i].c_str(), "caption"));
        EXPECT_EQ(Names(page), after[i]);
    }
    // The evicted entry's data is gone; the Layout value only where the
    // registry lets a value go through a key opened for reading.
    EXPECT_FALSE(AssociationExists("Check1_2"));
    EXPECT_EQ(LayoutValueExists("Check1_2"), !IsHost());
    for (const char* kept : {"Group1_3", "Check1_1", "Radio2_1", "Group2_5", "Check1-2"}) {
        SCOPED_TRACE(kept);
        EXPECT_TRUE(AssociationExists(kept));
        EXPECT_TRUE(LayoutValueExists(kept));
    }
}

TEST_F(EntryListTest, AnEvictedGroupBoxKeepsItsAssociationKey) {
    LoadLayout({"Group1_3", "Group1_9", "Check1_1"});
    for (const char* name : {"Group1_3", "Check1_1", "Group1_9"}) {
        page.InsertEntry(new vx::CSettingButton(name, ""));
    }
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Group1_9", "Check1_1"}));
    EXPECT_EQ(page.m_entries.GetAt(page.m_entries.GetHeadPosition())->m_nOrder, 9);
    EXPECT_TRUE(AssociationExists("Group1_3"));
    EXPECT_EQ(LayoutValueExists("Group1_3"), !IsHost());
}

TEST_F(EntryListTest, NegativeGroupsSortFirst) {
    platform.LoadRegistry(RegText({}));
    for (const char* name : {"Check0_1", "Group0_5", "Check 1_1", "Check\xB0_1", "Check9_1"}) {
        page.InsertEntry(new vx::CSettingButton(name, ""));
    }
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Check\xB0_1", "Check 1_1", "Group0_5",
                                                     "Check0_1", "Check9_1"}));
}

TEST_F(EntryListTest, LoadEntriesBuildsTheListInEnumerationOrder) {
    LoadLayout(kExampleOrder);
    page.LoadEntries();
    if (IsHost()) {
        // Values come back in the order they were made: the example's order.
        EXPECT_EQ(Names(page), (std::vector<std::string>{"Group1_3", "Check1_1", "Check1-2",
                                                         "Group2_5", "Radio2_1"}));
        EXPECT_FALSE(AssociationExists("Check1_2"));
        EXPECT_FALSE(LayoutValueExists("Check1_2"));
    } else {
        // Wine enumerates by name, so Check1-2 comes first and Check1_2
        // evicts it; the value stays, as Wine refuses the delete.
        EXPECT_EQ(Names(page), (std::vector<std::string>{"Group1_3", "Check1_1", "Check1_2",
                                                         "Group2_5", "Radio2_1"}));
        EXPECT_FALSE(AssociationExists("Check1-2"));
        EXPECT_TRUE(LayoutValueExists("Check1-2"));
    }
    auto head = page.m_entries.GetHeadPosition();
    EXPECT_EQ(std::string(page.m_entries.GetAt(head)->m_strCaption), "Caption Group1_3");
}

TEST_F(EntryListTest, LoadEntriesWithoutLayoutKeyGivesAnEmptyList) {
    platform.LoadRegistry(RegText({}));
    page.LoadEntries();
    EXPECT_TRUE(page.m_entries.IsEmpty());
}

TEST_F(EntryListTest, EntriesLoadTheirStateFromTheSampleData) {
    vx::DriverKeyPath.Empty();
    platform.SetFailSafe(true);
    std::string reg = SourceFile("sample/driver.reg");
    // The sample names its INI file without a folder; the test's copy lives
    // in the test's own folder.
    const std::string plain = "\"INIFile\"=\"vexaro.ini\"";
    std::string escaped;
    for (char c : platform.IniPath("vexaro.ini")) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    for (size_t at; (at = reg.find(plain)) != std::string::npos;) {
        reg.replace(at, plain.size(), "\"INIFile\"=\"" + escaped + "\"");
    }
    platform.LoadRegistry(reg);
    TestPlatform::WriteFile(platform.IniPath("vexaro.ini"), SourceFile("sample/vexaro.ini"));

    page.LoadEntries();
    ASSERT_EQ(page.m_entries.GetCount(), 15);
    std::vector<std::string> on;
    int checkedRadios = 0;
    for (auto pos = page.m_entries.GetHeadPosition(); pos != nullptr;) {
        vx::CSettingButton* entry = page.m_entries.GetNext(pos);
        if (entry->m_nState) on.emplace_back(entry->m_strName.c_str());
        checkedRadios += entry->IsCheckedRadio();
    }
    EXPECT_EQ(
        on, (std::vector<std::string>{"Check1_1", "Check1_2", "Radio2_2", "Check3_2", "Check4_1"}));
    EXPECT_EQ(checkedRadios, 1);
}

}  // namespace
}  // namespace vxtest
