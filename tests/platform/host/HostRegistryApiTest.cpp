// The Win32 registry functions over the host registry: result codes,
// buffer capacities, handles and Windows 95's lenient access rules.
#include <gtest/gtest.h>

#include <cstring>

#include "RegFileTestUtil.h"
#include "platform/WinConstants.h"
#include "platform/host/HostRegistryApi.h"

namespace vxtest {
namespace {

constexpr char kPath[] = "Software\\Test";
constexpr char kFullPath[] = "HKEY_LOCAL_MACHINE\\Software\\Test";

class HostRegistryApiTest : public ::testing::Test {
  protected:
    vx::KeyHandle Open(const char* path = kPath) {
        vx::KeyHandle key = nullptr;
        EXPECT_EQ(api.OpenKey(path, vx::kKeyRead, &key), vx::kErrorSuccess) << path;
        return key;
    }
    vx::HostRegistryTree registry;
    vx::HostRegistryApi api{registry};
};

TEST_F(HostRegistryApiTest, EnumerationCapacities) {
    const struct {
        size_t nameLength;
        size_t dataBytes;
        long expected;
    } cases[] = {
        {255, 256, vx::kErrorSuccess}, {256, 10, vx::kErrorMoreData}, {10, 257, vx::kErrorMoreData},
        {0, 0, vx::kErrorSuccess},     {255, 0, vx::kErrorSuccess},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nameLength << " chars, " << c.dataBytes << " bytes");
        registry.DeleteKey(kFullPath);
        const std::string name(c.nameLength, 'n');
        registry.SetValue(kFullPath, name, 3, std::vector<uint8_t>(c.dataBytes, 0x5A));
        vx::KeyHandle key = Open();
        char nameBuffer[256 + 8];
        uint8_t data[256 + 8];
        uint32_t nameChars = 256;
        uint32_t dataBytes = 256;
        uint32_t type = 0;
        EXPECT_EQ(api.EnumValue(key, 0, nameBuffer, &nameChars, &type, data, &dataBytes),
                  c.expected);
        if (c.expected == vx::kErrorSuccess) {
            EXPECT_EQ(nameChars, c.nameLength);
            EXPECT_EQ(std::string(nameBuffer), name);
            EXPECT_EQ(dataBytes, c.dataBytes);
            EXPECT_EQ(type, 3u);
        }
        if (c.dataBytes > 256 && c.nameLength < 256) {
            EXPECT_EQ(dataBytes, c.dataBytes);
        }
        nameChars = 256;
        EXPECT_EQ(api.EnumValue(key, 1, nameBuffer, &nameChars, &type, data, &dataBytes),
                  vx::kErrorNoMoreItems);
        EXPECT_EQ(api.CloseKey(key), vx::kErrorSuccess);
    }
}

TEST_F(HostRegistryApiTest, QueryReportsSizeAndRefusesSmallBuffers) {
    registry.SetString(kFullPath, "v", "hello");
    vx::KeyHandle key = Open();
    uint32_t type = 0;
    uint32_t bytes = 0;
    EXPECT_EQ(api.QueryValue(key, "V", &type, nullptr, &bytes), vx::kErrorSuccess);
    EXPECT_EQ(bytes, 6u);
    uint8_t data[8] = {};
    bytes = 5;
    EXPECT_EQ(api.QueryValue(key, "v", &type, data, &bytes), vx::kErrorMoreData);
    EXPECT_EQ(bytes, 6u);
    EXPECT_EQ(data[0], 0);
    bytes = 6;
    EXPECT_EQ(api.QueryValue(key, "v", &type, data, &bytes), vx::kErrorSuccess);
    EXPECT_STREQ(reinterpret_cast<char*>(data), "hello");
    EXPECT_EQ(type, vx::kRegSz);
    EXPECT_EQ(api.QueryValue(key, "missing", &type, data, &bytes), vx::kErrorFileNotFound);
    EXPECT_EQ(api.QueryValue(key, nullptr, &type, data, &bytes), vx::kErrorFileNotFound);
    EXPECT_EQ(api.CloseKey(key), vx::kErrorSuccess);
}

TEST_F(HostRegistryApiTest, ChangesThroughAReadKeyInCreationOrder) {
    registry.CreateKey(kFullPath);
    vx::KeyHandle key = Open();
    const uint8_t on[] = {'O', 'n', 0};
    for (const char* name : {"z", "a", "m"}) {
        EXPECT_EQ(api.SetValue(key, name, vx::kRegSz, on, 3), vx::kErrorSuccess);
    }
    EXPECT_EQ(api.SetValue(key, nullptr, vx::kRegSz, on, 3), vx::kErrorSuccess);
    EXPECT_EQ(api.DeleteValue(key, "A"), vx::kErrorSuccess);
    EXPECT_EQ(api.DeleteValue(key, "a"), vx::kErrorFileNotFound);
    EXPECT_EQ(api.SetValue(key, "bad", vx::kRegSz, nullptr, 3), vx::kErrorInvalidParameter);
    std::vector<std::string> names;
    char name[256];
    uint32_t chars = sizeof name;
    for (uint32_t i = 0;
         api.EnumValue(key, i, name, &chars, nullptr, nullptr, nullptr) == vx::kErrorSuccess;
         ++i, chars = sizeof name) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"z", "m", ""}));
    vx::RegistryValue value;
    ASSERT_TRUE(registry.ReadValue(kFullPath, "m", &value));
    EXPECT_EQ(value.data, Sz("On"));
    EXPECT_EQ(api.CloseKey(key), vx::kErrorSuccess);
}

TEST_F(HostRegistryApiTest, OpeningFollowsThePathAsGiven) {
    registry.CreateKey(kFullPath);
    const struct {
        const char* path;
        long expected;
    } cases[] = {
        {"software\\TEST", vx::kErrorSuccess},
        {"Software\\Test\\", vx::kErrorSuccess},
        {"", vx::kErrorSuccess},
        {nullptr, vx::kErrorSuccess},
        {"Software\\Missing", vx::kErrorFileNotFound},
        {"\\Software\\Test", vx::kErrorBadPathname},
        {"Software\\\\Test", vx::kErrorSuccess},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path != nullptr ? c.path : "null");
        vx::KeyHandle key = reinterpret_cast<vx::KeyHandle>(1);
        EXPECT_EQ(api.OpenKey(c.path, vx::kKeyRead, &key), c.expected);
        EXPECT_EQ(key == nullptr, c.expected != vx::kErrorSuccess);
        if (key != nullptr) api.CloseKey(key);
    }
    EXPECT_EQ(api.OpenHandleCount(), 0u);
    EXPECT_EQ(api.OpenKey(kPath, vx::kKeyRead, nullptr), vx::kErrorInvalidParameter);
}

TEST_F(HostRegistryApiTest, HandlesAreCountedAndCheckedAndSurviveDeletion) {
    registry.SetString(std::string(kFullPath) + "\\Sub", "v", "1");
    vx::KeyHandle first = Open();
    vx::KeyHandle second = Open("Software\\Test\\Sub");
    EXPECT_NE(first, second);
    EXPECT_EQ(api.OpenHandleCount(), 2u);

    EXPECT_EQ(api.DeleteKey("Software\\Test"), vx::kErrorSuccess);  // with its subkey
    EXPECT_FALSE(registry.KeyExists(kFullPath));
    uint32_t bytes = 0;
    EXPECT_EQ(api.QueryValue(second, "v", nullptr, nullptr, &bytes), vx::kErrorKeyDeleted);
    const uint8_t one[] = {'1', 0};
    EXPECT_EQ(api.SetValue(second, "w", vx::kRegSz, one, 2), vx::kErrorKeyDeleted);
    EXPECT_EQ(api.DeleteValue(first, "v"), vx::kErrorKeyDeleted);
    EXPECT_EQ(api.CloseKey(second), vx::kErrorSuccess);
    EXPECT_EQ(api.CloseKey(second), vx::kErrorInvalidHandle);
    EXPECT_EQ(api.CloseKey(first), vx::kErrorSuccess);
    EXPECT_EQ(api.CloseKey(nullptr), vx::kErrorInvalidHandle);
    char name[8];
    uint32_t chars = sizeof name;
    EXPECT_EQ(api.EnumValue(first, 0, name, &chars, nullptr, nullptr, nullptr),
              vx::kErrorInvalidHandle);
    EXPECT_EQ(api.OpenHandleCount(), 0u);

    // A handle is never given out again, even for the same key.
    registry.CreateKey(kFullPath);
    vx::KeyHandle third = Open();
    EXPECT_NE(third, first);
    EXPECT_NE(third, second);
    // The closed handles stay refused while their places are in use again.
    EXPECT_EQ(api.QueryValue(first, "v", nullptr, nullptr, &bytes), vx::kErrorInvalidHandle);
    EXPECT_EQ(api.QueryValue(second, "v", nullptr, nullptr, &bytes), vx::kErrorInvalidHandle);
    EXPECT_EQ(api.CloseKey(third), vx::kErrorSuccess);
}

TEST_F(HostRegistryApiTest, DeleteKeyResults) {
    registry.CreateKey(kFullPath);
    EXPECT_EQ(api.DeleteKey("Software\\Missing"), vx::kErrorFileNotFound);
    EXPECT_EQ(api.DeleteKey("Missing\\Test"), vx::kErrorFileNotFound);
    EXPECT_EQ(api.DeleteKey("\\Software\\Test"), vx::kErrorBadPathname);
    EXPECT_EQ(api.DeleteKey(""), vx::kErrorAccessDenied);
    EXPECT_EQ(api.DeleteKey("SOFTWARE\\test"), vx::kErrorSuccess);
    EXPECT_EQ(api.DeleteKey("Software\\Test"), vx::kErrorFileNotFound);
    EXPECT_TRUE(registry.KeyExists("HKLM\\Software"));
}

}  // namespace
}  // namespace vxtest
