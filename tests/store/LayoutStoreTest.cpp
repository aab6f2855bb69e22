// Enumerating, reading and deleting the Layout and Association data.
#include <string>
#include <vector>

#include "platform/WinConstants.h"
#include "store/DriverFixture.h"
#include "store/LayoutStore.h"

namespace vxtest {
namespace {

using LayoutStoreTest = DriverTest;

struct NameAndData {
    std::string name;
    std::string data;
    bool operator==(const NameAndData& o) const { return name == o.name && data == o.data; }
};

// Every value that one store returns, in enumeration order.
std::vector<NameAndData> ReadAll(vx::CLayoutStore& store) {
    std::vector<NameAndData> values;
    vx::CString name;
    vx::CString data;
    while (store.NextLayoutValue(name, data)) values.push_back({name.c_str(), data.c_str()});
    return values;
}

TEST_F(LayoutStoreTest, OneStoreMakesOnePassOverTheLayoutValues) {
    platform.LoadRegistry(
        RegText({KeyLine(LayoutKey()), SzLine("Group1_5", "Acceleration"),
                 SzLine("Check1_1", "Fast text drawing"), SzLine("Radio2_1", "60 Hz")}));
    std::vector<NameAndData> expected;
    for (const std::string& name : platform.ValueNames(LayoutKey())) {
        expected.push_back({name, name == "Group1_5"   ? "Acceleration"
                                  : name == "Check1_1" ? "Fast text drawing"
                                                       : "60 Hz"});
    }
    ASSERT_EQ(expected.size(), 3u);

    vx::CLayoutStore store;
    EXPECT_EQ(ReadAll(store), expected);
    EXPECT_EQ(store.EnumerationIndex(), 3u);
    vx::CString name;
    vx::CString data;
    EXPECT_EQ(store.NextLayoutValue(name, data), 0);
    EXPECT_EQ(store.EnumerationIndex(), 3u);

    vx::CLayoutStore second;
    EXPECT_EQ(ReadAll(second), expected);
}

TEST_F(LayoutStoreTest, EmptyOrMissingLayoutKeyGivesNothing) {
    for (const std::string& text : {RegText({KeyLine(LayoutKey())}), RegText({})}) {
        platform.LoadRegistry(text);
        vx::CLayoutStore store;
        vx::CString name("kept");
        vx::CString data("kept");
        EXPECT_EQ(store.NextLayoutValue(name, data), 0);
        EXPECT_EQ(store.EnumerationIndex(), 0u);
    }
}

TEST_F(LayoutStoreTest, LayoutDataIsTextUpToItsFirstZeroByteAndAtMost256Bytes) {
    std::string full = "\"Check1_3\"=hex:";
    for (int i = 0; i < 256; ++i) full += i ? ",41" : "41";
    platform.LoadRegistry(RegText(
        {KeyLine(LayoutKey()), "\"Check1_1\"=hex(1):41,42,00,43,00", "\"Check1_2\"=hex:", full}));
    vx::CLayoutStore store;
    std::vector<NameAndData> values = ReadAll(store);
    ASSERT_EQ(values.size(), 3u);
    for (const NameAndData& value : values) {
        const std::string expected = value.name == "Check1_1"   ? "AB"
                                     : value.name == "Check1_2" ? ""
                                                                : std::string(256, 'A');
        EXPECT_EQ(value.data, expected) << value.name;
    }
}

TEST_F(LayoutStoreTest, DataTooLongForItsRoomEndsThePass) {
    std::string tooLong = "\"Check1_1\"=hex:";
    for (int i = 0; i < 257; ++i) tooLong += i ? ",41" : "41";
    platform.LoadRegistry(RegText({KeyLine(LayoutKey()), tooLong}));
    vx::CLayoutStore store;
    EXPECT_TRUE(ReadAll(store).empty());
    EXPECT_EQ(store.EnumerationIndex(), 0u);
}

TEST_F(LayoutStoreTest, DeleteLayoutValueAlwaysAnswersZero) {
    platform.LoadRegistry(
        RegText({KeyLine(LayoutKey()), SzLine("Check1_1", "A"), SzLine("Check1_2", "B")}));
    const std::string layout = LayoutKey();
    vx::CLayoutStore store;
    EXPECT_EQ(store.DeleteLayoutValue("Check1_9"), 0);
    EXPECT_EQ(platform.ValueNames(layout).size(), 2u);

    EXPECT_EQ(store.DeleteLayoutValue("Check1_1"), 0);
    // The key is opened for reading only: the host registry lets the value
    // go as Windows 95 does, Wine refuses as Windows NT does.
    EXPECT_EQ(platform.ValueExists(layout, "Check1_1"), !IsHost());
    EXPECT_TRUE(platform.ValueExists(layout, "Check1_2"));
}

TEST_F(LayoutStoreTest, DeleteAssociationRemovesTheEntrysKeyOnce) {
    platform.LoadRegistry(RegText({KeyLine(AssociationKey("Check1_1")), SzLine("INIFile", "a.ini"),
                                   SzLine("Section", "S"), KeyLine(AssociationKey("Check1_2")),
                                   SzLine("INIFile", "b.ini")}));
    vx::CLayoutStore store;
    EXPECT_EQ(store.DeleteAssociation("Check1_1"), 1);
    EXPECT_FALSE(platform.KeyExists(AssociationKey("Check1_1")));
    EXPECT_TRUE(platform.KeyExists(AssociationKey("Check1_2")));
    EXPECT_EQ(store.DeleteAssociation("Check1_1"), 0);
}

TEST_F(LayoutStoreTest, DeleteAssociationRefusesNamesThatReachOtherKeys) {
    platform.LoadRegistry(
        RegText({KeyLine(AssociationKey("Check1_1")), SzLine("INIFile", "a.ini"),
                 KeyLine(AssociationKey("Check1_2\\Inner")), SzLine("INIFile", "b.ini")}));
    const std::string association = std::string(kDriverKey) + "\\Vexaro\\Association";
    vx::CLayoutStore store;
    for (const char* name : {"", "Check1_2\\Inner", "\\", "Check1_1\\"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(store.DeleteAssociation(name), 0);
    }
    EXPECT_TRUE(platform.KeyExists(association));
    EXPECT_TRUE(platform.KeyExists(AssociationKey("Check1_1")));
    EXPECT_TRUE(platform.KeyExists(AssociationKey("Check1_2\\Inner")));
}

TEST_F(LayoutStoreTest, AssociationValuesReadAsTextWhateverTheirType) {
    platform.LoadRegistry(
        RegText({KeyLine(AssociationKey("Check1_1")), SzLine("Action", "Mode"),
                 "\"AndMask\"=hex:fe,01", "\"OrMask\"=hex:00,04", "\"Wide\"=dword:00000134"}));
    vx::CLayoutStore store;
    vx::CString data;
    ASSERT_EQ(store.AssociationValue("Check1_1", "Action", data, 1), 1);
    EXPECT_EQ(std::string(data), "Mode");
    ASSERT_EQ(store.AssociationValue("Check1_1", "AndMask", data, 1), 1);
    EXPECT_EQ(std::string(data), "\xFE\x01");
    ASSERT_EQ(store.AssociationValue("Check1_1", "OrMask", data, 1), 1);
    EXPECT_EQ(std::string(data), "");
    ASSERT_EQ(store.AssociationValue("Check1_1", "Wide", data, 1), 1);
    EXPECT_EQ(std::string(data), "4\x01");

    data = "kept";
    EXPECT_EQ(store.AssociationValue("Check1_1", "Default", data, 1), 0);
    EXPECT_EQ(store.AssociationValue("Check1_9", "Action", data, 1), 0);
    EXPECT_EQ(std::string(data), "kept");
}

TEST_F(LayoutStoreTest, AssociationValueWritesTextThroughItsReadOnlyKey) {
    platform.LoadRegistry(RegText({KeyLine(AssociationKey("Check1_1")), SzLine("Action", "Mode")}));
    vx::CLayoutStore store;
    vx::CString on("On");
    EXPECT_EQ(store.AssociationValue("Check1_1", "Default", on, 0), 1);
    uint32_t type = 0;
    std::vector<uint8_t> data;
    const std::string key = AssociationKey("Check1_1");
    if (IsHost()) {
        ASSERT_TRUE(platform.ReadValue(key, "Default", &type, &data));
        EXPECT_EQ(type, vx::kRegSz);
        EXPECT_EQ(data, (std::vector<uint8_t>{'O', 'n', 0}));
    } else {
        EXPECT_FALSE(platform.ValueExists(key, "Default"));  // refused by Wine
    }
    vx::CString missing("On");
    EXPECT_EQ(store.AssociationValue("Check1_9", "Default", missing, 0), 0);
}

TEST_F(LayoutStoreTest, AnUnresolvedDriverKeyUsesThePathsAsComposed) {
    vx::DriverKeyPath.Empty();
    platform.SetFailSafe(true);  // and no software key: stays unresolved
    platform.LoadRegistry(RegText({KeyLine(LayoutKey()), SzLine("Check1_1", "A")}));
    vx::CLayoutStore store;
    ASSERT_TRUE(vx::DriverKeyPath.IsEmpty());
    vx::CString name;
    vx::CString data;
    EXPECT_EQ(store.NextLayoutValue(name, data), 0);
    EXPECT_EQ(store.DeleteAssociation("Check1_1"), 0);
}

}  // namespace
}  // namespace vxtest
