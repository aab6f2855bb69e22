// Deleting a registry key with everything below it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/RegTree.h"
#include "platform/win32/WinHandles.h"

namespace {

const char kTree[] = "Software\\VexaroRegTree";
// A sibling whose name starts with the tree's: it must survive.
const char kSibling[] = "Software\\VexaroRegTree2";

bool Create(const std::string& path) {
    vx::UniqueRegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
        key.release();
        return false;
    }
    const BYTE data[] = "x";
    return RegSetValueExA(key.get(), "Value", 0, REG_SZ, data, sizeof data) == ERROR_SUCCESS;
}

bool Exists(const std::string& path) {
    return vx::OpenRegKey(HKEY_CURRENT_USER, path.c_str()).valid();
}

class RegTreeTest : public ::testing::Test {
  protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        vx::DeleteRegTree(HKEY_CURRENT_USER, kTree);
        vx::DeleteRegTree(HKEY_CURRENT_USER, kSibling);
    }
};

TEST_F(RegTreeTest, DeletesEveryLevelAndLeavesTheSibling) {
    const std::string tree = kTree;
    for (const std::string& path : {tree + "\\A\\Deep\\Deeper", tree + "\\A\\Other", tree + "\\B",
                                    std::string(kSibling) + "\\Child"}) {
        ASSERT_TRUE(Create(path)) << path;
    }
    EXPECT_TRUE(vx::DeleteRegTree(HKEY_CURRENT_USER, kTree));
    EXPECT_FALSE(Exists(kTree));
    EXPECT_TRUE(Exists(std::string(kSibling) + "\\Child"));
}

TEST_F(RegTreeTest, AKeyThatIsNotThereIsGoneAlready) {
    EXPECT_TRUE(vx::DeleteRegTree(HKEY_CURRENT_USER, kTree));
    ASSERT_TRUE(Create(kTree));
    EXPECT_TRUE(vx::DeleteRegTree(HKEY_CURRENT_USER, kTree));
    EXPECT_FALSE(Exists(kTree));
}

}  // namespace
