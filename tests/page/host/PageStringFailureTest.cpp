// The page when one string allocation fails, for every n: the n-th string
// of a showing, of an Apply or of a Reset. Whatever fails, the stored data
// loses no more than a complete run takes from it, and the INI file is
// either as it was or exactly as a complete run leaves it.
#include <algorithm>
#include <set>

#include "layout/PendingAction.h"
#include "page/host/PageFixture.h"
#include "resources/resource.h"
#include "support/host/StringHeapFailure.h"

namespace vxtest {
namespace {

// The Layout values in an order in which a list cut short and laid out all
// the same would prune: the radio buttons come before their Group value,
// after Group 1's, so that without Group 2's entry group 1 would not admit
// them. Check1-1 evicts Check1_1 (its data goes), and group 1 (order 2)
// does not admit Check1_3 (its data goes when the page is laid out).
std::vector<LayoutSetting> Settings() {
    std::vector<LayoutSetting> settings = ExampleSettings();
    // Group2_2 from before its radio buttons to after them.
    std::rotate(settings.begin() + 4, settings.begin() + 5, settings.begin() + 7);
    settings.push_back({"Check1-1", "Fast fill again", "FastFill", "", "Mode"});
    return settings;
}

// Smooth lines on against its default: Reset changes it and raises "Mode".
constexpr char kIni[] =
    "[Display]\r\nFastFill=1\r\nSmoothLines=1\r\nExtra=1\r\nStandard=1\r\nHigh=0\r\n";

// The number of runs tried before the test gives up on reaching the end.
constexpr long kMostAllocations = 2000;

using Stored = std::set<std::string>;

class PageStringFailureTest : public PageTest {
  protected:
    void SetUp() override { ui.shell.SetDefaultAnswer(vx::kIdNo); }

    // Every Layout value and every Association key with each of its values.
    Stored StoredData() {
        Stored stored;
        for (const std::string& name : platform.ValueNames(LayoutKey())) {
            stored.insert("Layout " + name);
        }
        for (const LayoutSetting& s : Settings()) {
            if (!platform.KeyExists(AssociationKey(s.name))) continue;
            stored.insert("key " + s.name);
            for (const std::string& value : platform.ValueNames(AssociationKey(s.name))) {
                stored.insert("key " + s.name + " " + value);
            }
        }
        return stored;
    }
    // Every run its own INI file: the profile functions keep a file's copy
    // while its size and time stamp stay, and a rewrite within the same
    // clock tick would not be seen.
    void Reload() {
        ui.sheets.ClosePage();
        iniPath = platform.IniPath("vexaro" + std::to_string(++m_runs) + ".ini");
        Load(Settings(), kIni);
        vx::PendingAction = "Dynamic";
        ui.shell.messageBoxes.clear();
    }
    size_t CreatedCount() const { return Created().size(); }
    // A new showing with Fast fill clicked; what is stored once it shows.
    Stored ShowAndClickFastFill() {
        Reload();
        Show();
        const Stored shown = StoredData();
        ui.sheets.Click(2001);
        return shown;
    }

  private:
    int m_runs = 0;
};

bool Includes(const Stored& outer, const Stored& inner) {
    return std::includes(outer.begin(), outer.end(), inner.begin(), inner.end());
}

TEST_F(PageStringFailureTest, AFailedShowingDeletesNoMoreThanACompleteOne) {
    Reload();
    const Stored original = StoredData();
    Show();
    const Stored complete = StoredData();
    const size_t controls = CreatedCount();
    ASSERT_EQ(controls, 6u);
    ASSERT_EQ(original.count("Layout Check1_1") - complete.count("Layout Check1_1"), 1u);
    ASSERT_EQ(original.count("key Check1_3") - complete.count("key Check1_3"), 1u);

    long failures = 0;
    for (long n = 0; n < kMostAllocations; ++n) {
        SCOPED_TRACE(n);
        Reload();
        bool refused = false;
        {
            StringHeapFailure failure(n);
            Show();
            refused = failure.Refused();
        }
        const Stored stored = StoredData();
        ASSERT_TRUE(Includes(original, stored));
        ASSERT_TRUE(Includes(stored, complete));
        ASSERT_EQ(Ini(), kIni);
        // Laid out whole, or not at all; a list that was not laid out
        // pruned nothing.
        const size_t created = CreatedCount();
        ASSERT_TRUE(created == 0 || created == controls) << created;
        if (created == 0) {
            ASSERT_TRUE(Includes(stored, {"Layout Check1_3", "key Check1_3"}));
        }
        if (!refused) break;
        ++failures;
    }
    EXPECT_GT(failures, 50);
}

// Clicks Fast fill again off and High on, then Apply.
TEST_F(PageStringFailureTest, AFailedApplyWritesAllOrNothing) {
    Reload();
    Show();
    ui.sheets.Click(2001);
    ui.sheets.Click(2005);
    ASSERT_EQ(ui.sheets.PressApply(), 0);
    const std::string applied = Ini();
    const std::string appliedAction = vx::PendingAction.c_str();
    ASSERT_NE(applied, kIni);
    ASSERT_EQ(appliedAction, "Reboot");

    long failures = 0;
    for (long n = 0; n < kMostAllocations; ++n) {
        SCOPED_TRACE(n);
        const Stored shown = ShowAndClickFastFill();
        ui.sheets.Click(2005);
        bool refused = false;
        intptr_t result = 0;
        {
            StringHeapFailure failure(n);
            result = ui.sheets.PressApply();
            refused = failure.Refused();
        }
        ASSERT_EQ(StoredData(), shown);
        if (Ini() == kIni) {
            // Nothing applied, and the sheet says so: Apply stays enabled.
            ASSERT_NE(result, 0);
            ASSERT_TRUE(ui.sheets.IsModified());
            ASSERT_EQ(std::string(vx::PendingAction), "Dynamic");
            ASSERT_TRUE(ui.shell.messageBoxes.empty());
        } else {
            ASSERT_EQ(Ini(), applied);
            ASSERT_EQ(result, 0);
            ASSERT_EQ(std::string(vx::PendingAction), appliedAction);
        }
        if (!refused) break;
        ++failures;
    }
    EXPECT_GT(failures, 20);
}

// "&Reset", then Apply without failures: the INI file ends as after a
// complete Reset and Apply, or as after Apply alone (the reset changed
// nothing).
TEST_F(PageStringFailureTest, AFailedResetResetsAllOrNothing) {
    std::string expected[2];
    std::vector<int> checks[2];
    for (int reset = 0; reset < 2; ++reset) {
        Reload();
        Show();
        ui.sheets.Click(2001);
        if (reset) ui.sheets.Click(IDC_RESET);
        for (const vx::HostWindow* w : Created()) checks[reset].push_back(w->check);
        ui.sheets.PressApply();
        expected[reset] = Ini();
    }
    ASSERT_NE(expected[0], expected[1]);

    long failures = 0;
    for (long n = 0; n < kMostAllocations; ++n) {
        SCOPED_TRACE(n);
        const Stored shown = ShowAndClickFastFill();
        bool refused = false;
        {
            StringHeapFailure failure(n);
            ui.sheets.Click(IDC_RESET);
            refused = failure.Refused();
        }
        ASSERT_EQ(Ini(), kIni);
        std::vector<int> shownChecks;
        for (const vx::HostWindow* w : Created()) shownChecks.push_back(w->check);
        const int whole = shownChecks == checks[1] ? 1 : 0;
        ASSERT_TRUE(whole || shownChecks == checks[0]);
        ASSERT_EQ(std::string(vx::PendingAction), whole ? "Mode" : "Dynamic");
        ui.sheets.PressApply();
        ASSERT_EQ(Ini(), expected[whole]);
        ASSERT_EQ(StoredData(), shown);
        if (!refused) break;
        ++failures;
    }
    EXPECT_GT(failures, 5);
}

}  // namespace
}  // namespace vxtest
