// Window, property sheet and shell operations that the page and the
// extension use. Message and style numbers are those of WinConstants.h.
#pragma once

#include <cstdint>

#include "Types.h"

namespace vx {

class CPropertyPageBase;
class CString;

class IWindowing {
  public:
    virtual ~IWindowing() = default;
    // CreateWindowExA("BUTTON", caption, style, rect, parent, id, module); null on failure.
    virtual WindowHandle CreateButton(const char* caption, uint32_t style, const Rect& rect,
                                      WindowHandle parent, int id, InstanceHandle module) = 0;
    virtual int DestroyWindow(WindowHandle window) = 0;
    virtual intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                          intptr_t lParam) = 0;
    // Window rectangle in screen coordinates.
    virtual int GetWindowRect(WindowHandle window, Rect* rect) = 0;
    virtual WindowHandle GetDlgItem(WindowHandle dialog, int id) = 0;
    virtual int EnableWindow(WindowHandle window, int enable) = 0;
};

class IPropertySheets {
  public:
    virtual ~IPropertySheets() = default;
    // CreatePropertySheetPageA from the page's page-description record.
    virtual PageHandle CreatePage(CPropertyPageBase& page) = 0;
    // DestroyPropertySheetPage.
    virtual int DestroyPage(PageHandle page) = 0;
    // PSM_CHANGED to the sheet that holds the page's window: enables Apply.
    virtual void MarkModified(WindowHandle pageWindow) = 0;
};

class IShellServices {
  public:
    virtual ~IShellServices() = default;
    virtual int ShowHelp(WindowHandle window, const char* file, uint32_t command,
                         uintptr_t data) = 0;
    virtual int ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                               uint32_t type) = 0;
    virtual int RestartSystem(uint32_t flags, uint32_t reserved) = 0;
    virtual long ChangeDisplayMode(const DisplayModeRecord* mode, uint32_t flags) = 0;
    // LoadStringA: copies string id of the module's string table; returns its length, 0 if absent.
    virtual int LoadStringResource(InstanceHandle module, uint32_t id, char* buffer,
                                   int capacity) = 0;
};

// BuildModulePath of the help library, imported when the module loads.
class IModulePath {
  public:
    virtual ~IModulePath() = default;
    virtual int BuildModulePath(InstanceHandle module, CString& path, const char* fileName) = 0;
};

}  // namespace vx
