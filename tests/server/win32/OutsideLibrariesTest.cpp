// The stand-ins of the driver maker's libraries and the built module, as
// the Windows loader sees them: exported names, the string objects they
// fill through the published layout, and the module's own exports.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../ServerFixture.h"
#include "platform/framework/FrameworkString.h"
#include "platform/win32/Win32ModulePath.h"
#include "platform/win32/WinHandles.h"
#include "server/Guids.h"

namespace vxtest {
namespace {

const char kPrefix[] = "System\\CurrentControlSet\\Services\\Class\\Display\\";

struct SettingData {
    DWORD value1;
    DWORD value2;
    vx::CString bitsPerPel;
    vx::CString resolution;
    vx::CString unused;
    vx::CString frequency;
};

using GetConfigStringFn = int(__stdcall*)(vx::CString&, int);
using GetCurrentConfigFn = int(__stdcall*)(SettingData&);

class Library : public vx::UniqueModule {
  public:
    explicit Library(const char* name) : vx::UniqueModule(LoadLibraryA(name)) {}
    template <typename Fn>
    Fn Proc(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(get(), name)));
    }
};

// The maker's software key, removed again when the test ends.
class MakerKey : vx::Pinned {
  public:
    MakerKey() { Remove(); }
    ~MakerKey() { Remove(); }
    void Set(DWORD type, const void* data, DWORD size) {
        vx::UniqueRegKey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane\\Lumetra", 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key.get(), "CurrentDisplayKey", 0, type,
                                 static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void SetText(const std::string& text) {
        Set(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

  private:
    static void Remove() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane\\Lumetra"); }
};

class FerolibTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(m_library.get(), nullptr) << "ferolib.dll not found next to the test program";
        getConfigString = m_library.Proc<GetConfigStringFn>("?GetConfigString@@YGHAAVCString@@H@Z");
        getCurrentConfig =
            m_library.Proc<GetCurrentConfigFn>("?GetCurrentConfig@@YGHAAU_settingdata@@@Z");
        ASSERT_NE(getConfigString, nullptr);
        ASSERT_NE(getCurrentConfig, nullptr);
    }

    MakerKey makerKey;
    GetConfigStringFn getConfigString = nullptr;
    GetCurrentConfigFn getCurrentConfig = nullptr;

  private:
    Library m_library{"ferolib.dll"};
};

TEST_F(FerolibTest, GetConfigStringComposesTheDriverKey) {
    makerKey.SetText("0001");
    vx::CString empty;
    EXPECT_EQ(getConfigString(empty, 256), 1);
    EXPECT_STREQ(empty.c_str(), (std::string(kPrefix) + "0001").c_str());
    EXPECT_EQ(empty.GetLength(), 52);
    // A string with text of its own is replaced, short or long.
    vx::CString shortText("x");
    vx::CString longText(std::string(300, 'y').c_str());
    EXPECT_EQ(getConfigString(shortText, 256), 1);
    EXPECT_EQ(getConfigString(longText, 256), 1);
    EXPECT_TRUE(shortText == empty.c_str());
    EXPECT_TRUE(longText == empty.c_str());
    // The string stays the framework's own: it can still grow and be freed.
    longText += "\\Vexaro\\Layout";
    EXPECT_EQ(longText.GetLength(), 52 + 14);
}

TEST_F(FerolibTest, GetConfigStringTakesAnyTypeUpToTheFirstZero) {
    const char data[] = "0002\0tail";
    makerKey.Set(REG_BINARY, data, sizeof(data));
    vx::CString path;
    EXPECT_EQ(getConfigString(path, 256), 1);
    EXPECT_STREQ(path.c_str(), (std::string(kPrefix) + "0002").c_str());
}

TEST_F(FerolibTest, GetConfigStringNeverExceedsTheCapacity) {
    vx::CString path("unchanged");
    EXPECT_EQ(getConfigString(path, 256), 0);  // no software key
    makerKey.SetText("");
    EXPECT_EQ(getConfigString(path, 256), 0);
    makerKey.SetText(std::string(208, 'k'));
    EXPECT_EQ(getConfigString(path, 255), 0);
    EXPECT_STREQ(path.c_str(), "unchanged");
    EXPECT_EQ(getConfigString(path, 256), 1);
    EXPECT_EQ(path.GetLength(), 256);
}

TEST_F(FerolibTest, GetCurrentConfigTellsTheCurrentMode) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    SettingData data;
    EXPECT_EQ(getCurrentConfig(data), 1);
    EXPECT_EQ(std::string(data.bitsPerPel), std::to_string(mode.dmBitsPerPel));
    EXPECT_EQ(std::string(data.resolution),
              std::to_string(mode.dmPelsWidth) + "," + std::to_string(mode.dmPelsHeight));
    EXPECT_EQ(std::string(data.frequency), std::to_string(mode.dmDisplayFrequency));
    EXPECT_TRUE(data.unused.IsEmpty());
}

TEST(TandrelTest, BuildModulePathPutsTheFileNextToTheModule) {
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof(self));
    ASSERT_GT(length, 0u);
    std::string expected(self, length);
    expected.resize(expected.rfind('\\') + 1);
    expected += "tarnel.hlp";

    vx::Win32ModulePath modulePath;
    vx::CString path("previous text");
    EXPECT_EQ(
        modulePath.BuildModulePath(reinterpret_cast<vx::InstanceHandle>(GetModuleHandleA(nullptr)),
                                   path, "tarnel.hlp"),
        1);
    EXPECT_EQ(std::string(path), expected);
    vx::CString untouched("kept");
    EXPECT_EQ(
        modulePath.BuildModulePath(reinterpret_cast<vx::InstanceHandle>(0x10), untouched, "x"), 0);
    EXPECT_STREQ(untouched.c_str(), "kept");
}

using DllGetClassObjectFn = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
using DllCanUnloadNowFn = HRESULT(__stdcall*)();

TEST(TarnelTest, ExportsTheTwoEntryPointsOnly) {
    Library tarnel("tarnel.dll");
    ASSERT_NE(tarnel.get(), nullptr) << "tarnel.dll not found next to the test program";
    auto getClassObject = tarnel.Proc<DllGetClassObjectFn>("DllGetClassObject");
    auto canUnloadNow = tarnel.Proc<DllCanUnloadNowFn>("DllCanUnloadNow");
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(tarnel.Proc<void*>("DllRegisterServer"), nullptr);

    EXPECT_EQ(canUnloadNow(), S_OK);
    vx::ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(vx::kClsidVexaro, vx::kIidIClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    vx::ComPtr<IShellPropSheetExt> sheet;
    ASSERT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellPropSheetExt, sheet.put_void()), S_OK);
    EXPECT_EQ(sheet->ReplacePage(0, nullptr, 0), E_FAIL);
    EXPECT_EQ(ReleaseNow(sheet), 0u);
    EXPECT_EQ(ReleaseNow(factory), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
}  // namespace vxtest
