// Buttons, window messages and outside libraries through the Windows backend.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "platform/win32/WinHandles.h"
#include "support/TestPlatform.h"

namespace {

// A plain top-level window to hold the buttons of one test.
class ParentWindow {
  public:
    ParentWindow()
        : m_window(CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    HWND Get() const { return m_window.get(); }
    vx::WindowHandle Handle() const { return reinterpret_cast<vx::WindowHandle>(Get()); }

  private:
    vx::UniqueWindow m_window;
};

TEST(Win32WindowingTest, CreatesButtonsAndPassesMessages) {
    vxtest::TestPlatform test;
    vx::IWindowing& windows = *vx::Platform().windows;
    ParentWindow parent;
    ASSERT_NE(parent.Get(), nullptr);

    struct Case {
        uint32_t style;
        vx::Rect rect;
        int id;
        intptr_t check;
    } cases[] = {
        {vx::kWsChild | vx::kWsVisible | vx::kWsGroup | vx::kWsTabStop | vx::kBsAutoCheckBox,
         {20, 72, 338, 87},
         2001,
         1},
        {vx::kWsChild | vx::kWsVisible | vx::kBsAutoRadioButton, {195, 127, 354, 142}, 2002, 0},
        {vx::kWsChild | vx::kWsVisible | vx::kBsGroupBox, {11, 50, 363, 119}, 2003, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        vx::WindowHandle button =
            windows.CreateButton("Caption", c.style, c.rect, parent.Handle(), c.id,
                                 reinterpret_cast<vx::InstanceHandle>(GetModuleHandleA(nullptr)));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(windows.GetDlgItem(parent.Handle(), c.id), button);
        EXPECT_EQ(static_cast<uint32_t>(GetWindowLongA(reinterpret_cast<HWND>(button), GWL_STYLE)) &
                      0xFFFF000F,
                  c.style & 0xFFFF000F);

        vx::Rect rect;
        ASSERT_TRUE(windows.GetWindowRect(button, &rect));
        EXPECT_EQ(rect.right - rect.left, c.rect.right - c.rect.left);
        EXPECT_EQ(rect.bottom - rect.top, c.rect.bottom - c.rect.top);

        if (c.style != (vx::kWsChild | vx::kWsVisible | vx::kBsGroupBox)) {
            windows.Send(button, vx::kBmSetCheck, static_cast<uintptr_t>(c.check), 0);
            EXPECT_EQ(windows.Send(button, vx::kBmGetCheck, 0, 0), c.check);
        }
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        windows.Send(button, vx::kWmSetFont, reinterpret_cast<uintptr_t>(font), 1);
        EXPECT_EQ(windows.Send(button, vx::kWmGetFont, 0, 0), reinterpret_cast<intptr_t>(font));

        windows.EnableWindow(button, 0);
        EXPECT_FALSE(IsWindowEnabled(reinterpret_cast<HWND>(button)));
        EXPECT_TRUE(windows.DestroyWindow(button));
        EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(button)));
    }
}

TEST(Win32WindowingTest, MissingWindowsGiveNothing) {
    vxtest::TestPlatform test;
    vx::IWindowing& windows = *vx::Platform().windows;
    ParentWindow parent;
    vx::Rect rect{1, 2, 3, 4};
    EXPECT_EQ(windows.GetDlgItem(parent.Handle(), 1005), nullptr);
    EXPECT_FALSE(windows.GetWindowRect(nullptr, &rect));
    EXPECT_EQ(rect, (vx::Rect{1, 2, 3, 4}));
}

TEST(Win32LibrariesTest, LoadsLooksUpAndFrees) {
    vxtest::TestPlatform test;
    vx::ILibraryLoader& libraries = *vx::Platform().libraries;
    EXPECT_EQ(libraries.Load("vexaro-missing.dll"), nullptr);

    vx::LibraryHandle kernel = libraries.Load("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    EXPECT_NE(libraries.GetProc(kernel, "GetTickCount"), nullptr);
    EXPECT_EQ(libraries.GetProc(kernel, "?GetConfigString@@YGHAAVCString@@H@Z"), nullptr);
    EXPECT_TRUE(libraries.Free(kernel));
}

TEST(Win32ShellServicesTest, DisplayModeRecordReachesTheSystemAsDevMode) {
    vxtest::TestPlatform test;
    DEVMODEA current{};
    current.dmSize = sizeof current;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));

    vx::DisplayModeRecord mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = vx::kDmBitsPerPel | vx::kDmPelsWidth | vx::kDmPelsHeight;
    mode.dmBitsPerPel = current.dmBitsPerPel;
    mode.dmPelsWidth = current.dmPelsWidth;
    mode.dmPelsHeight = current.dmPelsHeight;
    EXPECT_EQ(vx::Platform().shell->ChangeDisplayMode(&mode, CDS_TEST), DISP_CHANGE_SUCCESSFUL);

    mode.dmPelsWidth = 12345;  // no display has this mode
    EXPECT_NE(vx::Platform().shell->ChangeDisplayMode(&mode, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
}

}  // namespace
