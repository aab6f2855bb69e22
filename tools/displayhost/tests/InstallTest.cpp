// The state that tarnel.inf leaves, checked by install-test.sh between the
// steps it runs in a fresh Wine prefix: installed (once, then twice) and
// uninstalled. This program lies in a folder of its own, so that every DLL
// the shell loads comes from the system folder where setup put it. Before
// installing, the script puts the driver maker's own tandrel.dll (the built
// one followed by kMakerMark) into the system folder and registers another
// Display handler, which the uninstall must leave alone.
#include <gtest/gtest.h>
#include <windows.h>
// The common controls need the definitions above.
#include <commctrl.h>

#include "DisplaySheet.h"
#include "DriverLayout.h"
#include "HeldCtrlKey.h"
#include "PageControls.h"
#include "ShellExtensionPages.h"
#include "ShellFixture.h"

namespace shelltest {
namespace {

const char kMakerMark[] = "driver maker's own copy";
const char kHandlersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\"
    "PropertySheetHandlers";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexaro";

std::string ClassKey() {
    return std::string("CLSID\\") + kClsidText;
}

std::string SystemFolder() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

std::string InfFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\inf";
}

// The folder of the build's DLLs: the one above this program's.
std::string BuiltFile(const std::string& name) {
    std::string folder = ProgramFolder();
    return folder.substr(0, folder.find_last_of('\\')) + "\\" + name;
}

bool KeyExists(HKEY root, const std::string& path) {
    return vx::OpenRegKey(root, path.c_str()).valid();
}

// A text value; "<missing>" when there is none.
std::string Text(HKEY root, const std::string& path, const char* name) {
    const vx::UniqueRegKey key = vx::OpenRegKey(root, path.c_str());
    if (!key) return "<missing>";
    char data[512] = {};
    DWORD size = sizeof data - 1;
    DWORD type = 0;
    LONG result =
        RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    return result == ERROR_SUCCESS && type == REG_SZ ? data : "<missing>";
}

// The number of values and of subkeys of a key; -1 when it is missing.
std::pair<int, int> Counts(HKEY root, const std::string& path) {
    const vx::UniqueRegKey key = vx::OpenRegKey(root, path.c_str());
    if (!key) return {-1, -1};
    DWORD subkeys = 0;
    DWORD values = 0;
    RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    return {static_cast<int>(values), static_cast<int>(subkeys)};
}

// Wine's setupapi reads the flags of a copy section's lines and ignores
// them, COPYFLG_NOOVERWRITE among them: it replaces a file that Windows
// keeps.
bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Lower(std::string text) {
    CharLowerA(&text[0]);
    return text;
}

std::string ModulePath(const char* name) {
    HMODULE module = GetModuleHandleA(name);
    char path[MAX_PATH] = {};
    if (module != nullptr) GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

class InstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_com.valid());
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        m_iniPath = m_platform.IniPath("vexaro.ini");
        vxtest::TestPlatform::WriteFile(m_iniPath, vxtest::SourceFile("sample/vexaro.ini"));
        m_platform.LoadRegistry(SampleDriverText(m_iniPath));
    }

    // The pages the Display control panel collects with Ctrl held; shows
    // them in a sheet and returns the captions of its controls.
    std::vector<displayhost::PageControl> ShowWithCtrl(size_t* pageCount) {
        displayhost::PageHandles pages;
        displayhost::PropSheetExtArray handlers(HKEY_LOCAL_MACHINE,
                                                displayhost::kDisplayControlsKey, 8);
        *pageCount = 0;
        // Without a handler that loads, shell32 may give no array at all.
        if (!handlers.Valid()) return {};
        {
            displayhost::HeldCtrlKey ctrl;
            EXPECT_TRUE(ctrl.Held());
            handlers.AddPages(&pages);
        }
        *pageCount = pages.Count();
        if (pages.Count() == 0) return {};
        displayhost::DisplaySheet sheet(pages.Release());
        EXPECT_NE(sheet.OpenModeless(nullptr), nullptr);
        HWND page = sheet.ShowPage(1);
        EXPECT_NE(page, nullptr);
        return page != nullptr ? displayhost::ReadPageControls(page)
                               : std::vector<displayhost::PageControl>();
    }

    vxtest::TestPlatform m_platform;
    vx::UniqueApartment m_com = vx::EnterComApartment();
    std::string m_iniPath;
};

using Installed = InstallTest;
using Uninstalled = InstallTest;

TEST_F(Installed, ClassAndHandlerNameTheModuleInTheSystemFolderOnce) {
    const std::string module = SystemFolder() + "\\tarnel.dll";
    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, ClassKey(), nullptr), "Vexaro");
    EXPECT_EQ(Lower(Text(HKEY_CLASSES_ROOT, ClassKey() + "\\InprocServer32", nullptr)),
              Lower(module));
    EXPECT_EQ(Text(HKEY_CLASSES_ROOT, ClassKey() + "\\InprocServer32", "ThreadingModel"),
              "Apartment");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, std::string(kHandlersKey) + "\\Vexaro", nullptr),
              kClsidText);
    // Nothing doubled or added beside, however often setup ran.
    EXPECT_EQ(Counts(HKEY_CLASSES_ROOT, ClassKey()), std::make_pair(1, 1));
    EXPECT_EQ(Counts(HKEY_CLASSES_ROOT, ClassKey() + "\\InprocServer32"), std::make_pair(2, 0));
    EXPECT_EQ(Counts(HKEY_LOCAL_MACHINE, std::string(kHandlersKey) + "\\Vexaro"),
              std::make_pair(1, 0));
    EXPECT_EQ(Counts(HKEY_LOCAL_MACHINE, kHandlersKey).second, 2);  // Vexaro and the other one
    EXPECT_EQ(Counts(HKEY_LOCAL_MACHINE, kUninstallKey), std::make_pair(2, 0));

    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Vexaro display page");
    const std::string inf = InfFolder() + "\\tarnel.inf";
    EXPECT_EQ(Lower(Text(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString")),
              Lower("rundll32.exe setupapi.dll,InstallHinfSection DefaultUninstall 132 " + inf));
    EXPECT_TRUE(FileExists(inf)) << inf;
}

TEST_F(Installed, FilesCopiedWhereMissingAndTheMakersLibraryKept) {
    for (const char* name : {"tarnel.dll", "ferolib.dll"}) {
        SCOPED_TRACE(name);
        std::string installed = vxtest::TestPlatform::ReadFile(SystemFolder() + "\\" + name);
        EXPECT_FALSE(installed.empty());
        EXPECT_TRUE(installed == vxtest::TestPlatform::ReadFile(BuiltFile(name)));
    }
    std::string tandrel = vxtest::TestPlatform::ReadFile(SystemFolder() + "\\tandrel.dll");
    const std::string built = vxtest::TestPlatform::ReadFile(BuiltFile("tandrel.dll"));
    EXPECT_EQ(tandrel, UnderWine() ? built : built + kMakerMark);
}

TEST_F(Installed, DisplayPropertiesShowThePageFromTheSystemFolder) {
    size_t pageCount = 0;
    std::vector<displayhost::PageControl> controls = ShowWithCtrl(&pageCount);
    EXPECT_EQ(pageCount, 1u);
    std::vector<displayhost::LayoutSetting> layout = displayhost::ReadDriverLayout(kDriverKey);
    ASSERT_FALSE(layout.empty());
    EXPECT_EQ(controls.size(), layout.size());
    EXPECT_EQ(Lower(ModulePath("tarnel.dll")), Lower(SystemFolder() + "\\tarnel.dll"));
    EXPECT_EQ(Lower(ModulePath("tandrel.dll")), Lower(SystemFolder() + "\\tandrel.dll"));
}

TEST_F(Uninstalled, KeysAndModuleGoneTheRestLeft) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ClassKey()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kHandlersKey) + "\\Vexaro"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(FileExists(SystemFolder() + "\\tarnel.dll"));
    EXPECT_FALSE(FileExists(InfFolder() + "\\tarnel.inf"));
    // The other handler and the driver maker's libraries stay.
    EXPECT_EQ(Counts(HKEY_LOCAL_MACHINE, kHandlersKey).second, 1);
    EXPECT_TRUE(FileExists(SystemFolder() + "\\tandrel.dll"));
    EXPECT_TRUE(FileExists(SystemFolder() + "\\ferolib.dll"));
}

TEST_F(Uninstalled, DisplayPropertiesLoadNothing) {
    size_t pageCount = 0;
    ShowWithCtrl(&pageCount);
    EXPECT_EQ(pageCount, 0u);
    EXPECT_FALSE(TarnelLoaded());
}

}  // namespace
}  // namespace shelltest
