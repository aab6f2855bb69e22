// Layout value names parsed into kind, group and order, and the order and
// membership that follow from them.
#include <cstddef>
#include <string>

#include "layout/SettingButton.h"
#include "store/DriverFixture.h"

namespace vxtest {
namespace {

using EntryParsingTest = DriverTest;

struct Parsed {
    const char* name;
    const char* kind;
    int group;
    int order;
};

TEST_F(EntryParsingTest, NamesGiveKindGroupAndOrder) {
    const Parsed cases[] = {
        {"Group1_5", "Group", 1, 5},
        {"Check3_1", "Check", 3, 1},
        {"Radio2.4", "Radio", 2, 4},
        {"CheckboxX", "Check", 'b' - '0', 'x' - '0'},  // only the first five are the kind
        {"group1_1", "", 1, 1},                        // kinds are case-sensitive
        {"Other9_9", "", 9, 9},                        // unknown kinds still get numbers
        {"CheckA_1", "Check", 17, 1},
        {"Check 1_", "Check", -16, '_' - '0'},
        {"Check\xB0_1", "Check", -80 - 48, 1},  // bytes from 0x80 are negative
        {"Check1_2tail", "Check", 1, 2},
        // Short names end in zero bytes: nothing past the end is read.
        {"Check1_", "Check", 1, -48},
        {"Check1", "Check", 1, -48},
        {"Check", "Check", -48, -48},
        {"Grou", "", -48, -48},
    };
    for (const Parsed& c : cases) {
        SCOPED_TRACE(c.name);
        vx::CSettingButton entry(c.name, "caption");
        EXPECT_EQ(std::string(entry.m_strKind), c.kind);
        EXPECT_EQ(entry.m_nGroup, c.group);
        EXPECT_EQ(entry.m_nOrder, c.order);
        EXPECT_EQ(std::string(entry.m_strName), c.name);
        EXPECT_EQ(std::string(entry.m_strCaption), "caption");
        EXPECT_EQ(entry.GetSafeHwnd(), nullptr);
    }
}

struct Comparison {
    const char* receiver;
    const char* other;
    int result;
};

// Checks each case's result of `relation` between the two entries it names.
template <size_t N, typename Relation>
void ExpectRelation(const Comparison (&cases)[N], const char* verb, Relation relation) {
    for (const Comparison& c : cases) {
        SCOPED_TRACE(std::string(c.receiver) + verb + c.other);
        vx::CSettingButton receiver(c.receiver, "");
        vx::CSettingButton other(c.other, "");
        EXPECT_EQ(relation(receiver, other), c.result);
    }
}

TEST_F(EntryParsingTest, CompareSortsByGroupThenGroupBoxThenOrder) {
    const Comparison cases[] = {
        {"Check1_1", "Check2_1", -1},
        {"Check2_1", "Check1_9", 1},
        {"Check 1_1", "Check0_1", -1},  // a blank group sorts before group 0
        {"Check\xB0_1", "Check0_1", -1},
        {"Check0_1", "Check\xB0_1", 1},
        {"Group1_1", "Check1_0", -1},  // the group box first, whatever the orders
        {"Check1_0", "Group1_9", 1},
        {"Group1_1", "Group1_9", 0},
        {"Check1_2", "Radio1_3", -1},
        {"Radio1_3", "Check1_2", 1},
        {"Check1_2", "Check1-2", 0},  // index 6 is never looked at
        {"Check1_2x", "Radio1_2y", 0},
        {"Other1_1", "Group1_1", 1},  // empty kind is not a group box
        {"Other1_1", "Check1_2", -1},
        {"Other1_2", "Check1_2", 0},
    };
    ExpectRelation(cases, " vs ", [](vx::CSettingButton& receiver, vx::CSettingButton& other) {
        return receiver.Compare(other);
    });
}

TEST_F(EntryParsingTest, GroupBoxAdmitsItsGroupUpToItsOwnOrder) {
    const Comparison cases[] = {
        {"Group1_3", "Check1_1", 1}, {"Group1_3", "Radio1_3", 1}, {"Group1_3", "Check1_4", 0},
        {"Group1_3", "Check2_1", 0}, {"Group1_3", "Other1_2", 1}, {"Group1_0", "Check1_\xB0", 1},
    };
    ExpectRelation(cases, " admits ", [](vx::CSettingButton& group, vx::CSettingButton& member) {
        return group.Admits(member);
    });
}

TEST_F(EntryParsingTest, KindTests) {
    vx::CSettingButton group("Group1_1", "");
    vx::CSettingButton radio("Radio1_1", "");
    vx::CSettingButton check("Check1_1", "");
    vx::CSettingButton other("Other1_1", "");
    EXPECT_EQ(group.IsGroup(), 1);
    EXPECT_EQ(radio.IsGroup() + check.IsGroup() + other.IsGroup(), 0);

    EXPECT_EQ(radio.IsCheckedRadio(), 0);
    radio.m_nState = 1;
    check.m_nState = 1;
    other.m_nState = 1;
    EXPECT_EQ(radio.IsCheckedRadio(), 1);
    EXPECT_EQ(check.IsCheckedRadio(), 0);
    EXPECT_EQ(other.IsCheckedRadio(), 0);
}

}  // namespace
}  // namespace vxtest
