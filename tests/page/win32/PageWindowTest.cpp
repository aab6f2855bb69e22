// The page's buttons when a real sheet destroys the page's window: they die
// with it, and the entries that stay until the next showing hold no handle
// that the system could give to another window.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <memory>
#include <vector>

#include "page/PageData.h"
#include "page/ZrDriveDlg.h"
#include "platform/Platform.h"
#include "platform/framework/ModuleState.h"

namespace vxtest {
namespace {

class PageWindowTest : public DriverTest {
  protected:
    PageWindowTest() {
        vx::AfxGetModuleState()->m_hCurrentResourceHandle =
            reinterpret_cast<vx::InstanceHandle>(GetModuleHandleA(nullptr));
        const std::string iniPath = platform.IniPath("vexaro.ini");
        platform.LoadRegistry(LayoutRegText(ExampleSettings(), iniPath));
        TestPlatform::WriteFile(iniPath, kExampleIni);
    }
    ~PageWindowTest() override {
        Close();
        page.reset();
        vx::AfxGetModuleState()->m_hCurrentResourceHandle = nullptr;
    }

    // Opens a modeless sheet with the page; the page's window exists on return.
    HWND Open() {
        HPROPSHEETPAGE handle =
            reinterpret_cast<HPROPSHEETPAGE>(vx::Platform().sheets->CreatePage(*page));
        if (handle == nullptr) return nullptr;
        PROPSHEETHEADERA header{};
        header.dwSize = PROPSHEETHEADERA_V1_SIZE;
        header.dwFlags = PSH_MODELESS;
        header.hInstance = GetModuleHandleA(nullptr);
        header.pszCaption = "Display Properties";
        header.nPages = 1;
        header.phpage = &handle;
        sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
        return sheet != nullptr ? reinterpret_cast<HWND>(page->GetSafeHwnd()) : nullptr;
    }
    void Close() {
        if (sheet != nullptr) DestroyWindow(sheet);
        sheet = nullptr;
    }
    std::vector<HWND> EntryWindows() const {
        std::vector<HWND> windows;
        for (auto pos = page->m_entries.GetHeadPosition(); pos != nullptr;) {
            windows.push_back(reinterpret_cast<HWND>(page->m_entries.GetNext(pos)->GetSafeHwnd()));
        }
        return windows;
    }

    std::unique_ptr<vx::CZrDriveDlg> page = std::make_unique<vx::CZrDriveDlg>();
    HWND sheet = nullptr;
};

TEST_F(PageWindowTest, EntriesLetGoOfTheButtonsThatDieWithThePage) {
    HWND pageWindow = Open();
    ASSERT_NE(pageWindow, nullptr);
    const std::vector<HWND> shown = EntryWindows();
    ASSERT_EQ(shown.size(), 6u);
    for (HWND button : shown) EXPECT_TRUE(IsWindow(button));

    Close();
    EXPECT_FALSE(IsWindow(pageWindow));
    EXPECT_EQ(page->GetSafeHwnd(), nullptr);
    const std::vector<HWND> after = EntryWindows();
    ASSERT_EQ(after.size(), shown.size());  // the entries stay until the next showing
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_FALSE(IsWindow(shown[i]));
        EXPECT_EQ(after[i], nullptr);
    }

    // The next showing makes new entries with live buttons.
    ASSERT_NE(Open(), nullptr);
    for (HWND button : EntryWindows()) {
        EXPECT_TRUE(IsWindow(button));
        EXPECT_EQ(GetParent(button), reinterpret_cast<HWND>(page->GetSafeHwnd()));
    }
}

}  // namespace
}  // namespace vxtest
