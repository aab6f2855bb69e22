// The Windows under the real page: Wine answers as the Windows that this run
// expects (its version, its registry rules, its screen resolution), so that
// the page's own tests beside this one hold the page to that Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/WinHandles.h"
#include "support/win32/ExpectedWindows.h"

namespace vxtest {
namespace {

const char kProbeKey[] = "Software\\VexaroWindowsProbe";

class RegistryProbe {
  public:
    RegistryProbe() { Remove(); }
    ~RegistryProbe() { Remove(); }
    RegistryProbe(const RegistryProbe&) = delete;
    RegistryProbe& operator=(const RegistryProbe&) = delete;

    // The probe key with one value and one subkey.
    bool Create() {
        vx::UniqueRegKey key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Sub().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
            key.release();
            return false;
        }
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kProbeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            key.put(), nullptr) != ERROR_SUCCESS) {
            key.release();
            return false;
        }
        const BYTE data[] = "x";
        return RegSetValueExA(key.get(), "Probe", 0, REG_SZ, data, sizeof data) == ERROR_SUCCESS;
    }

    static bool Exists(const std::string& path) {
        return vx::OpenRegKey(HKEY_CURRENT_USER, path.c_str()).valid();
    }
    static bool ValueExists(const char* name) {
        const vx::UniqueRegKey key = vx::OpenRegKey(HKEY_CURRENT_USER, kProbeKey);
        return key && RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) ==
                          ERROR_SUCCESS;
    }
    static std::string Sub() { return std::string(kProbeKey) + "\\Child"; }

  private:
    static void Remove() {
        RegDeleteKeyA(HKEY_CURRENT_USER, Sub().c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kProbeKey);
    }
};

TEST(ExpectedWindows, VersionIsTheExpectedOne) {
    const DWORD version = GetVersion();
    if (ExpectWindows95()) {
        EXPECT_NE(version & 0x80000000u, 0u) << std::hex << version;
        EXPECT_EQ(LOBYTE(LOWORD(version)), 4);
        EXPECT_EQ(HIBYTE(LOWORD(version)), 0);
    } else {
        EXPECT_EQ(version & 0x80000000u, 0u) << std::hex << version;
    }
}

// Windows 95 ignores the access that a key was opened with and deletes a
// key with everything below it; Windows NT refuses both.
TEST(ExpectedWindows, RegistryFollowsTheExpectedRules) {
    RegistryProbe probe;
    ASSERT_TRUE(probe.Create());
    const bool win95 = ExpectWindows95();

    vx::UniqueRegKey key = vx::OpenRegKey(HKEY_CURRENT_USER, kProbeKey);
    ASSERT_TRUE(key);
    const BYTE data[] = "y";
    LONG set = RegSetValueExA(key.get(), "Written", 0, REG_SZ, data, sizeof data);
    LONG deleted = RegDeleteValueA(key.get(), "Probe");
    key.reset();
    if (win95) {
        EXPECT_EQ(set, ERROR_SUCCESS);
        EXPECT_EQ(deleted, ERROR_SUCCESS);
    } else {
        EXPECT_EQ(set, ERROR_ACCESS_DENIED);
        EXPECT_EQ(deleted, ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(RegistryProbe::ValueExists("Written"), win95);
    EXPECT_EQ(RegistryProbe::ValueExists("Probe"), !win95);

    LONG tree = RegDeleteKeyA(HKEY_CURRENT_USER, kProbeKey);
    EXPECT_EQ(tree == ERROR_SUCCESS, win95) << tree;
    EXPECT_EQ(RegistryProbe::Exists(kProbeKey), !win95);
    EXPECT_EQ(RegistryProbe::Exists(RegistryProbe::Sub()), !win95);
}

TEST(ExpectedWindows, ScreenHasTheExpectedResolution) {
    const vx::UniqueWindowDc screen = vx::GetWindowDc(nullptr);
    ASSERT_TRUE(screen);
    EXPECT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSX), ExpectedDpi());
    EXPECT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), ExpectedDpi());
}

}  // namespace
}  // namespace vxtest
