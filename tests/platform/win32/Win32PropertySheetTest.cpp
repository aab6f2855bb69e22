// A page object in a real property sheet: the sheet creates the page's
// window from the page record, and the window's messages reach the page.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <algorithm>
#include <vector>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "platform/framework/ModuleState.h"
#include "platform/framework/PropertyPage.h"
#include "platform/win32/WinHandles.h"
#include "support/TestPlatform.h"

namespace {

class ProbePage : public vx::CPropertyPageBase {
  public:
    explicit ProbePage(uint32_t templateId) : CPropertyPageBase(templateId) {}

    int OnInitDialog() override {
        initWindow = GetSafeHwnd();
        return CPropertyPageBase::OnInitDialog();
    }
    int OnCommand(uintptr_t wParam, intptr_t lParam) override {
        commands.push_back(wParam);
        return CPropertyPageBase::OnCommand(wParam, lParam);
    }
    int OnNotify(uintptr_t wParam, vx::NotifyHeader* header, intptr_t* result) override {
        notifications.push_back(header->code);
        return CPropertyPageBase::OnNotify(wParam, header, result);
    }
    int OnApply() override {
        ++applies;
        return applyResult;
    }

    vx::WindowHandle initWindow = nullptr;
    std::vector<uintptr_t> commands;
    std::vector<uint32_t> notifications;
    int applies = 0;
    int applyResult = 1;
};

// The page's dialog template comes from the module in the framework's
// resource slot; the test borrows a dialog of the common controls library.
class BorrowedTemplate {
  public:
    BorrowedTemplate() : m_saved(vx::AfxGetModuleState()->m_hCurrentResourceHandle) {
        HMODULE library = GetModuleHandleA("comctl32.dll");
        EnumResourceNamesA(library, reinterpret_cast<LPCSTR>(RT_DIALOG), &TakeFirst,
                           reinterpret_cast<LONG_PTR>(&m_id));
        vx::AfxGetModuleState()->m_hCurrentResourceHandle =
            reinterpret_cast<vx::InstanceHandle>(library);
    }
    ~BorrowedTemplate() { vx::AfxGetModuleState()->m_hCurrentResourceHandle = m_saved; }
    BorrowedTemplate(const BorrowedTemplate&) = delete;
    BorrowedTemplate& operator=(const BorrowedTemplate&) = delete;
    uint32_t Id() const { return m_id; }

  private:
    static BOOL CALLBACK TakeFirst(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
        if (!IS_INTRESOURCE(name)) return TRUE;
        *reinterpret_cast<uint32_t*>(out) =
            static_cast<uint32_t>(reinterpret_cast<uintptr_t>(name));
        return FALSE;
    }
    vx::InstanceHandle m_saved;
    uint32_t m_id = 0;
};

class Sheet {
  public:
    explicit Sheet(vx::PageHandle page) {
        HPROPSHEETPAGE pages[] = {reinterpret_cast<HPROPSHEETPAGE>(page)};
        PROPSHEETHEADERA header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS | PSH_HASHELP;
        header.hInstance = GetModuleHandleA(nullptr);
        header.pszCaption = "Display";
        header.nPages = 1;
        header.phpage = pages;
        m_window.reset(reinterpret_cast<HWND>(PropertySheetA(&header)));
    }
    HWND Get() const { return m_window.get(); }
    void Close() { m_window.reset(); }

  private:
    vx::UniqueWindow m_window;
};

class Win32PropertySheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&init);
        ASSERT_NE(borrowed.Id(), 0u);
    }
    vx::IPropertySheets& Sheets() { return *vx::Platform().sheets; }

    vxtest::TestPlatform test;
    BorrowedTemplate borrowed;
};

TEST_F(Win32PropertySheetTest, PageRecordMakesAPageThatCanBeDestroyed) {
    ProbePage page(borrowed.Id());
    vx::PageHandle handle = Sheets().CreatePage(page);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(Sheets().DestroyPage(handle));
    EXPECT_EQ(page.initWindow, nullptr);
}

TEST_F(Win32PropertySheetTest, WindowMessagesReachThePage) {
    ProbePage page(borrowed.Id());
    page.Record().dwFlags |= vx::kPspHasHelp;
    Sheet sheet(Sheets().CreatePage(page));
    ASSERT_NE(sheet.Get(), nullptr);

    HWND window = reinterpret_cast<HWND>(page.GetSafeHwnd());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(page.initWindow, page.GetSafeHwnd());
    EXPECT_EQ(GetParent(window), sheet.Get());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet.Get(), IDHELP)));

    HWND applyButton = GetDlgItem(sheet.Get(), 0x3021);
    EXPECT_FALSE(IsWindowEnabled(applyButton));
    page.SetModified();
    EXPECT_TRUE(IsWindowEnabled(applyButton));

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(2001, BN_CLICKED), 0);
    ASSERT_EQ(page.commands.size(), 1u);
    EXPECT_EQ(page.commands[0], MAKEWPARAM(2001, BN_CLICKED));

    SendMessageA(sheet.Get(), WM_COMMAND, IDHELP, 0);
    EXPECT_NE(std::find(page.notifications.begin(), page.notifications.end(), vx::kPsnHelp),
              page.notifications.end());

    // The apply result travels back to the sheet through the dialog's message result.
    struct Case {
        int applyResult;
        LRESULT sheetAnswer;
    } cases[] = {{1, TRUE}, {0, FALSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.applyResult);
        page.applyResult = c.applyResult;
        int before = page.applies;
        EXPECT_EQ(SendMessageA(sheet.Get(), PSM_APPLY, 0, 0), c.sheetAnswer);
        EXPECT_EQ(page.applies, before + 1);
    }

    sheet.Close();
    EXPECT_EQ(page.GetSafeHwnd(), nullptr);
}

TEST_F(Win32PropertySheetTest, HelpButtonFollowsThePageFlag) {
    ProbePage page(borrowed.Id());
    Sheet sheet(Sheets().CreatePage(page));
    ASSERT_NE(sheet.Get(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet.Get(), IDHELP)));
}

}  // namespace
