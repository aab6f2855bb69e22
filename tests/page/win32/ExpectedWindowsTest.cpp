// The Windows under the real page: Wine answers as the Windows that this run
// expects (its version, its registry rules, its screen resolution), so that
// the page's own tests beside this one hold the page to that Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, Sub().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kProbeKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return false;
        const BYTE data[] = "x";
        LONG set = RegSetValueExA(key, "Probe", 0, REG_SZ, data, sizeof data);
        RegCloseKey(key);
        return set == ERROR_SUCCESS;
    }

    static bool Exists(const std::string& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    static bool ValueExists(const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kProbeKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
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

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProbeKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    const BYTE data[] = "y";
    LONG set = RegSetValueExA(key, "Written", 0, REG_SZ, data, sizeof data);
    LONG deleted = RegDeleteValueA(key, "Probe");
    RegCloseKey(key);
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
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), ExpectedDpi());
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
    ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace vxtest
