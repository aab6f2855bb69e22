// The Windows registry through the seam: the system's own results come
// back unchanged, as Wine (an NT registry) gives them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "support/TestPlatform.h"

namespace {

using vx::IRegistry;
using vx::KeyHandle;

constexpr uint32_t kKeyAllAccess = 0xF003F;
const char* const kSeam = "SOFTWARE\\Corvane\\Seam";

const char* const kSeamData =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Seam]\r\n"
    "\"b\"=\"second\"\r\n"
    "\"A\"=\"first\"\r\n"
    "\"C\"=hex:fe,00,01\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Seam\\Child]\r\n"
    "\"x\"=dword:00000001\r\n";

class Win32RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { test.LoadRegistry(kSeamData); }
    IRegistry& Registry() { return *vx::Platform().registry; }

    vxtest::TestPlatform test;
};

// Runs an operation on the Seam key opened with the given access.
long OnSeamKey(IRegistry& registry, uint32_t access, const std::function<long(KeyHandle)>& op) {
    vx::ScopedKey key(registry);
    long opened = key.Open(kSeam, access);
    if (opened != vx::kErrorSuccess) return opened;
    return op(key.get());
}

// Queries a value of the Seam key into a buffer of capacity bytes.
long QuerySeamValue(IRegistry& registry, const char* name, uint32_t capacity) {
    return OnSeamKey(registry, vx::kKeyRead, [&](KeyHandle k) {
        uint8_t data[16];
        uint32_t bytes = capacity <= sizeof data ? capacity : sizeof data;
        return registry.QueryValue(k, name, nullptr, data, &bytes);
    });
}

TEST_F(Win32RegistryTest, ResultsArePassedThrough) {
    const uint8_t text[] = "On";
    struct Case {
        const char* what;
        std::function<long(IRegistry&)> op;
        long expected;
    } cases[] = {
        {"open a missing key",
         [](IRegistry& r) {
             KeyHandle key = nullptr;
             return r.OpenKey("SOFTWARE\\Corvane\\Missing", vx::kKeyRead, &key);
         },
         vx::kErrorFileNotFound},
        {"set a value through a read-only key",
         [&](IRegistry& r) {
             return OnSeamKey(r, vx::kKeyRead, [&](KeyHandle k) {
                 return r.SetValue(k, "new", vx::kRegSz, text, 3);
             });
         },
         vx::kErrorAccessDenied},
        {"delete a value through a read-only key",
         [](IRegistry& r) {
             return OnSeamKey(r, vx::kKeyRead, [&](KeyHandle k) { return r.DeleteValue(k, "b"); });
         },
         vx::kErrorAccessDenied},
        {"delete a missing value",
         [](IRegistry& r) {
             return OnSeamKey(r, kKeyAllAccess,
                              [&](KeyHandle k) { return r.DeleteValue(k, "missing"); });
         },
         vx::kErrorFileNotFound},
        {"query a missing value", [](IRegistry& r) { return QuerySeamValue(r, "missing", 16); },
         vx::kErrorFileNotFound},
        // "second" and its closing zero take 7 bytes.
        {"query into a buffer too small", [](IRegistry& r) { return QuerySeamValue(r, "b", 4); },
         vx::kErrorMoreData},
        {"delete a key that has subkeys", [](IRegistry& r) { return r.DeleteKey(kSeam); },
         vx::kErrorAccessDenied},
        {"delete a missing key",
         [](IRegistry& r) { return r.DeleteKey("SOFTWARE\\Corvane\\Missing"); },
         vx::kErrorFileNotFound},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.op(Registry()), c.expected) << c.what;
    }
    // Nothing of the refused changes happened.
    EXPECT_TRUE(test.KeyExists(kSeam));
    EXPECT_TRUE(test.ValueExists(kSeam, "b"));
    EXPECT_FALSE(test.ValueExists(kSeam, "new"));
}

TEST_F(Win32RegistryTest, WritesAndDeletesThroughAWritableKey) {
    const uint8_t text[] = "On";
    EXPECT_EQ(OnSeamKey(Registry(), kKeyAllAccess,
                        [&](KeyHandle k) {
                            return Registry().SetValue(k, "new", vx::kRegSz, text, sizeof text);
                        }),
              vx::kErrorSuccess);
    uint32_t type = 0;
    std::vector<uint8_t> data;
    ASSERT_TRUE(test.ReadValue(kSeam, "new", &type, &data));
    EXPECT_EQ(type, vx::kRegSz);
    EXPECT_EQ(data, std::vector<uint8_t>({'O', 'n', 0}));

    EXPECT_EQ(Registry().DeleteKey("SOFTWARE\\Corvane\\Seam\\Child"), vx::kErrorSuccess);
    EXPECT_FALSE(test.KeyExists("SOFTWARE\\Corvane\\Seam\\Child"));
    EXPECT_EQ(Registry().DeleteKey(kSeam), vx::kErrorSuccess);
    EXPECT_FALSE(test.KeyExists(kSeam));
}

TEST_F(Win32RegistryTest, EnumeratesValuesSortedByNameIgnoringCase) {
    struct Expected {
        const char* name;
        uint32_t type;
        std::vector<uint8_t> data;
    } expected[] = {
        {"A", vx::kRegSz, {'f', 'i', 'r', 's', 't', 0}},
        {"b", vx::kRegSz, {'s', 'e', 'c', 'o', 'n', 'd', 0}},
        {"C", vx::kRegBinary, {0xFE, 0x00, 0x01}},
    };
    vx::ScopedKey key(Registry());
    ASSERT_EQ(key.Open(kSeam, vx::kKeyRead), vx::kErrorSuccess);
    uint32_t index = 0;
    for (const Expected& e : expected) {
        char name[256];
        uint8_t data[256];
        uint32_t nameChars = sizeof name;
        uint32_t dataBytes = sizeof data;
        uint32_t type = 0;
        ASSERT_EQ(Registry().EnumValue(key.get(), index, name, &nameChars, &type, data, &dataBytes),
                  vx::kErrorSuccess)
            << "index " << index;
        EXPECT_STREQ(name, e.name);
        EXPECT_EQ(nameChars, std::strlen(e.name));
        EXPECT_EQ(type, e.type);
        EXPECT_EQ(std::vector<uint8_t>(data, data + dataBytes), e.data) << e.name;
        ++index;
    }
    char name[256];
    uint32_t nameChars = sizeof name;
    EXPECT_EQ(Registry().EnumValue(key.get(), index, name, &nameChars, nullptr, nullptr, nullptr),
              vx::kErrorNoMoreItems);
}

TEST_F(Win32RegistryTest, EnumerationRefusesWhatDoesNotFit) {
    test.LoadRegistry(
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Seam]\r\n"
        "\"Check,1,1\"=\"Fast fill\"\r\n");
    struct Case {
        const char* what;
        uint32_t nameChars;
        uint32_t dataBytes;
        long expected;
    } cases[] = {
        {"both fit", 10, 10, vx::kErrorSuccess},
        {"name without room for its zero", 9, 10, vx::kErrorMoreData},
        {"data one byte short", 10, 9, vx::kErrorMoreData},
    };
    vx::ScopedKey key(Registry());
    ASSERT_EQ(key.Open(kSeam, vx::kKeyRead), vx::kErrorSuccess);
    for (const Case& c : cases) {
        char name[256];
        uint8_t data[256];
        uint32_t nameChars = c.nameChars;
        uint32_t dataBytes = c.dataBytes;
        EXPECT_EQ(Registry().EnumValue(key.get(), 0, name, &nameChars, nullptr, data, &dataBytes),
                  c.expected)
            << c.what;
    }
}

TEST_F(Win32RegistryTest, FailedOpenLeavesNoKey) {
    KeyHandle key = reinterpret_cast<KeyHandle>(1);
    EXPECT_NE(Registry().OpenKey("SOFTWARE\\Corvane\\Missing", vx::kKeyRead, &key),
              vx::kErrorSuccess);
    EXPECT_EQ(key, nullptr);
}

}  // namespace
