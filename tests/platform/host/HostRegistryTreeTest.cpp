// The host registry's tree: Windows 95 naming and ordering rules, recursive
// deletion, import with deletions, and saving to a file atomically.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "RegFileTestUtil.h"
#include "platform/NoCase.h"
#include "platform/host/HostRegistryTree.h"
#include "support/TestPlatform.h"

namespace vxtest {
namespace {

using Names = std::vector<std::string>;

constexpr char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Test";

TEST(HostRegistryTest, ValuesKeepCreationOrderAndDeletionClosesTheGap) {
    vx::HostRegistryTree registry;
    for (const char* name : {"b", "a", "C", ""}) registry.SetString(kKey, name, name);
    EXPECT_EQ(registry.ValueNames(kKey), (Names{"b", "a", "C", ""}));

    // Setting an existing value keeps its place and the case of its name.
    registry.SetString(kKey, "B", "new");
    vx::RegistryValue value;
    ASSERT_TRUE(registry.ReadValue(kKey, "c", &value));
    EXPECT_EQ(value.name, "C");
    EXPECT_TRUE(registry.DeleteValue(kKey, "A"));
    EXPECT_FALSE(registry.DeleteValue(kKey, "a"));
    registry.SetString(kKey, "a", "again");
    EXPECT_EQ(registry.ValueNames(kKey), (Names{"b", "C", "", "a"}));
    ASSERT_TRUE(registry.ReadValue(kKey, "b", &value));
    EXPECT_EQ(value.data, Sz("new"));
}

// Random changes against a plain list of names: every enumeration index,
// every lookup and the order of the subkeys agree after each step, across
// the points where holes left by deletions are closed.
TEST(HostRegistryTest, OrderAndIndexesHoldThroughManyChanges) {
    vx::RegistryNode node("key");
    Names values;
    Names subkeys;
    std::mt19937 random(20);
    auto findIn = [](const Names& names, const std::string& name) {
        for (size_t i = 0; i < names.size(); ++i) {
            if (vx::LowerCase(names[i]) == vx::LowerCase(name)) return i;
        }
        return names.size();
    };
    for (int step = 0; step < 4000; ++step) {
        const std::string name =
            std::string(random() % 2 ? "V" : "v") + std::to_string(random() % 64);
        const std::string key = "K" + std::to_string(random() % 48);
        switch (random() % 4) {
            case 0:
            case 1:
                node.SetValue(name, 1, {static_cast<uint8_t>(step)});
                if (findIn(values, name) == values.size()) values.push_back(name);
                break;
            case 2: {
                const size_t at = findIn(values, name);
                EXPECT_EQ(node.DeleteValue(name), at != values.size());
                if (at != values.size()) values.erase(values.begin() + static_cast<long>(at));
                break;
            }
            default:
                if (random() % 2) {
                    node.AddSubkey(key);
                    if (findIn(subkeys, key) == subkeys.size()) subkeys.push_back(key);
                } else {
                    const size_t at = findIn(subkeys, key);
                    EXPECT_EQ(node.RemoveSubkey(key), at != subkeys.size());
                    if (at != subkeys.size())
                        subkeys.erase(subkeys.begin() + static_cast<long>(at));
                }
        }
        ASSERT_EQ(node.ValueCount(), values.size()) << step;
        for (size_t i = 0; i < values.size(); ++i) {
            ASSERT_EQ(node.ValueAt(i).name, values[i]) << step << " " << i;
            ASSERT_NE(node.FindValue(values[i]), nullptr);
            ASSERT_EQ(node.FindValue(values[i])->name, values[i]);
        }
        if (step % 7 == 0) {
            Names listed;
            for (const auto& subkey : node.Subkeys()) listed.push_back(subkey->Name());
            ASSERT_EQ(listed, subkeys) << step;
        }
        for (const std::string& k : subkeys) ASSERT_NE(node.FindSubkey(k), nullptr) << k;
    }
}

// Deleting most of a large key value by value, in an order unlike the
// order of creation, and enumerating it after each deletion, takes time in
// proportion to its size: a key of the page's data may hold many thousands.
TEST(HostRegistryTest, LargeKeysStayFast) {
    constexpr int kCount = 60000;
    vx::RegistryNode node("Layout");
    for (int i = 0; i < kCount; ++i) {
        node.SetValue("Check1_" + std::to_string(i), 1, {1, 0});
        node.AddSubkey("Check1_" + std::to_string(i));
    }
    const auto start = std::chrono::steady_clock::now();
    size_t index = 0;
    for (int i = kCount - 1; i >= kCount / 4; i -= 2) {
        ASSERT_TRUE(node.DeleteValue("Check1_" + std::to_string(i)));
        ASSERT_TRUE(node.RemoveSubkey("Check1_" + std::to_string(kCount - 1 - i)));
        index = (index + 7919) % node.ValueCount();
        ASSERT_FALSE(node.ValueAt(index).name.empty());
    }
    for (int i = 0; i < kCount / 4; ++i) {
        ASSERT_TRUE(node.DeleteValue("Check1_" + std::to_string(i)));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(node.ValueCount(), static_cast<size_t>(kCount - kCount / 4 - (kCount * 3 / 4) / 2));
    EXPECT_LT(seconds, 3.0);
}

TEST(HostRegistryTest, KeyNamesIgnoreCaseAndKeepIt) {
    vx::HostRegistryTree registry;
    ASSERT_NE(registry.CreateKey("HKLM\\Software\\Corvane\\Lumetra"), nullptr);
    EXPECT_TRUE(registry.KeyExists("hkey_local_machine\\SOFTWARE\\corvane\\LUMETRA"));
    EXPECT_TRUE(registry.KeyExists("HKLM\\Software\\Corvane\\"));
    EXPECT_FALSE(registry.KeyExists("HKCU\\Software\\Corvane"));
    registry.CreateKey("HKLM\\SOFTWARE\\CORVANE\\Other");
    EXPECT_EQ(registry.SubkeyNames("HKLM\\software\\corvane"), (Names{"Lumetra", "Other"}));
    for (const char* bad : {"Nowhere\\X", "HKLM\\\\X", ""}) {
        EXPECT_EQ(registry.CreateKey(bad), nullptr) << bad;
    }
}

TEST(HostRegistryTest, DeletingAKeyDeletesEverythingUnderIt) {
    vx::HostRegistryTree registry;
    registry.SetString("HKLM\\A\\B\\C", "x", "1");
    registry.SetString("HKLM\\A\\B", "y", "2");
    registry.SetString("HKLM\\A\\D", "z", "3");
    vx::RegistryNode::Ptr held = registry.FindKey("HKLM\\A\\B\\C");
    EXPECT_TRUE(registry.DeleteKey("HKLM\\a\\b"));
    EXPECT_FALSE(registry.KeyExists("HKLM\\A\\B"));
    EXPECT_FALSE(registry.KeyExists("HKLM\\A\\B\\C"));
    EXPECT_TRUE(held->IsDeleted());
    EXPECT_EQ(registry.SubkeyNames("HKLM\\A"), (Names{"D"}));
    EXPECT_FALSE(registry.DeleteKey("HKLM\\A\\B"));
    EXPECT_FALSE(registry.DeleteKey("HKLM"));
}

TEST(HostRegistryTest, ImportAppliesKeysAndDeletionsInFileOrder) {
    vx::HostRegistryTree registry;
    registry.SetString("HKLM\\Old\\Sub", "v", "1");
    registry.SetString("HKLM\\Keep", "gone", "1");
    registry.SetString("HKLM\\Keep", "stays", "1");
    vx::regfile::ParseError error;
    ASSERT_TRUE(
        registry.ImportText("REGEDIT4\r\n\r\n"
                            "[-HKEY_LOCAL_MACHINE\\Old]\r\n"
                            "[-HKEY_LOCAL_MACHINE\\Missing]\r\n"
                            "[HKEY_LOCAL_MACHINE\\Keep]\r\n"
                            "\"GONE\"=-\r\n"
                            "\"never\"=-\r\n"
                            "\"new\"=dword:00000002\r\n"
                            "[HKEY_LOCAL_MACHINE\\Keep]\r\n"
                            "\"new\"=dword:00000003\r\n"
                            "[HKEY_LOCAL_MACHINE\\Empty\\Key]\r\n",
                            &error))
        << error.reason;
    EXPECT_FALSE(registry.KeyExists("HKLM\\Old"));
    EXPECT_EQ(registry.ValueNames("HKLM\\Keep"), (Names{"stays", "new"}));
    vx::RegistryValue value;
    ASSERT_TRUE(registry.ReadValue("HKLM\\Keep", "new", &value));
    EXPECT_EQ(value.data, (std::vector<uint8_t>{3, 0, 0, 0}));
    EXPECT_TRUE(registry.KeyExists("HKLM\\Empty\\Key"));
}

TEST(HostRegistryTest, RefusedImportChangesNothing) {
    vx::HostRegistryTree registry;
    registry.SetString(kKey, "x", "1");
    vx::regfile::Document document;
    document.keys.push_back({"HKEY_LOCAL_MACHINE\\Software\\Test", true, {}});
    document.keys.push_back({"HKEY_NOWHERE\\X", false, {}});
    vx::regfile::ParseError error;
    EXPECT_FALSE(registry.Import(document, &error));
    document.keys[1] = {"HKEY_LOCAL_MACHINE", true, {}};
    EXPECT_FALSE(registry.Import(document, &error));
    EXPECT_FALSE(
        registry.ImportText("REGEDIT4\r\n[-HKLM\\Software]\r\n[-HKEY_NOWHERE\\X]\r\n", &error));
    EXPECT_EQ(error.line, 3);
    EXPECT_TRUE(registry.KeyExists(kKey));
}

class RegistryFileTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return platform.IniDir() + "/" + name; }
    size_t FilesInFolder() const {
        size_t count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(platform.IniDir())) {
            ++count;
        }
        return count;
    }
    TestPlatform platform;
};

TEST_F(RegistryFileTest, SaveAndLoadGiveTheSameRegistry) {
    vx::HostRegistryTree registry;
    registry.SetString("HKLM\\Software\\B", "name", "text \"quoted\"");
    registry.SetValue("HKLM\\Software\\B", "bin", 3, std::vector<uint8_t>(100, 0xAB));
    registry.SetValue("HKLM\\Software\\A", "", 4, {1, 0, 0, 0});
    registry.CreateKey("HKLM\\Software\\A\\Empty");
    registry.SetString("HKCU\\User", "u", "v");
    const std::string file = Path("system.reg");
    TestPlatform::WriteFile(file, "old content");
    ASSERT_EQ(chmod(file.c_str(), 0600), 0);
    std::string why;
    ASSERT_TRUE(registry.SaveFile(file, &why)) << why;
    EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
    struct stat info;
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);  // the file keeps its mode

    vx::HostRegistryTree loaded;
    vx::regfile::ParseError error;
    ASSERT_TRUE(loaded.LoadFile(file, &error)) << error.line << ": " << error.reason;
    EXPECT_TRUE(SameDocument(registry.Export(), loaded.Export()));
    EXPECT_EQ(loaded.SubkeyNames("HKLM\\Software"), (Names{"B", "A"}));
    EXPECT_TRUE(loaded.KeyExists("HKLM\\Software\\A\\Empty"));
    EXPECT_EQ(TestPlatform::ReadFile(file).compare(0, 10, "REGEDIT4\r\n"), 0);
}

TEST_F(RegistryFileTest, FailedSaveLeavesNothingBehind) {
    vx::HostRegistryTree registry;
    registry.SetString(kKey, "x", "1");
    std::string why;
    EXPECT_FALSE(registry.SaveFile(Path("missing/system.reg"), &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(FilesInFolder(), 0u);
    vx::regfile::ParseError error;
    EXPECT_FALSE(registry.LoadFile(Path("absent.reg"), &error));
    EXPECT_TRUE(registry.KeyExists(kKey));
}

}  // namespace
}  // namespace vxtest
