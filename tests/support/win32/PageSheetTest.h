// A test that shows the page of the worked example in a real, modeless
// property sheet, the way Display Properties shows it.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
// clang-format on

#include <memory>
#include <string>

#include "page/PageData.h"
#include "page/ZrDriveDlg.h"
#include "platform/Platform.h"
#include "platform/framework/ModuleState.h"
#include "platform/win32/WinHandles.h"

namespace vxtest {

class PageSheetTest : public DriverTest {
  protected:
    PageSheetTest() : iniPath(platform.IniPath("vexaro.ini")) {
        vx::AfxGetModuleState()->m_hCurrentResourceHandle =
            reinterpret_cast<vx::InstanceHandle>(GetModuleHandleA(nullptr));
        platform.LoadRegistry(LayoutRegText(ExampleSettings(), iniPath));
        TestPlatform::WriteFile(iniPath, kExampleIni);
    }
    ~PageSheetTest() override {
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
        sheetOwner.reset(reinterpret_cast<HWND>(PropertySheetA(&header)));
        return sheet != nullptr ? PageWindow() : nullptr;
    }
    void Close() { sheetOwner.reset(); }
    HWND PageWindow() const { return reinterpret_cast<HWND>(page->GetSafeHwnd()); }

    std::string iniPath;
    std::unique_ptr<vx::CZrDriveDlg> page = std::make_unique<vx::CZrDriveDlg>();
    // The open sheet, destroyed by sheetOwner (which empties it); a test
    // that keeps a sheet open past the next Open takes it from sheetOwner.
    HWND sheet = nullptr;
    vx::SlotWindow sheetOwner{{}, vx::HeldInSlot<HWND>(sheet)};
};

}  // namespace vxtest
