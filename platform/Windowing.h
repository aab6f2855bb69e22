// Window, property sheet and shell operations that the page and the
// extension use. Message and style numbers are those of WinConstants.h.
#pragma once

#include <cstdint>

#include "Interface.h"
#include "Types.h"

namespace vx {

class CPropertyPageBase;
class CString;

}  // namespace vx

// IWindowing
// - CreateButton: CreateWindowExA("BUTTON", caption, style, rect, parent,
//   id, module); null on failure.
// - GetWindowRect: the window rectangle in screen coordinates.
#define VX_WINDOWING_METHODS(M, on)                                                        \
    M(on, WindowHandle, CreateButton,                                                      \
      (const char* caption, uint32_t style, const Rect& rect, WindowHandle parent, int id, \
       InstanceHandle module),                                                             \
      (caption, style, rect, parent, id, module))                                          \
    M(on, int, DestroyWindow, (WindowHandle window), (window))                             \
    M(on, intptr_t, Send,                                                                  \
      (WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam),          \
      (window, message, wParam, lParam))                                                   \
    M(on, int, GetWindowRect, (WindowHandle window, Rect * rect), (window, rect))          \
    M(on, WindowHandle, GetDlgItem, (WindowHandle dialog, int id), (dialog, id))           \
    M(on, int, EnableWindow, (WindowHandle window, int enable), (window, enable))

// IPropertySheets
// - CreatePage: CreatePropertySheetPageA from the page's page-description
//   record.
// - DestroyPage: DestroyPropertySheetPage.
// - MarkModified: PSM_CHANGED to the sheet that holds the page's window:
//   enables Apply.
#define VX_PROPERTY_SHEET_METHODS(M, on)                              \
    M(on, PageHandle, CreatePage, (CPropertyPageBase & page), (page)) \
    M(on, int, DestroyPage, (PageHandle page), (page))                \
    M(on, void, MarkModified, (WindowHandle pageWindow), (pageWindow))

// IShellServices
// - LoadStringResource: LoadStringA: copies string id of the module's
//   string table; returns its length, 0 if absent.
#define VX_SHELL_METHODS(M, on)                                                                    \
    M(on, int, ShowHelp,                                                                           \
      (WindowHandle window, const char* file, uint32_t command, uintptr_t data),                   \
      (window, file, command, data))                                                               \
    M(on, int, ShowMessageBox,                                                                     \
      (WindowHandle owner, const char* text, const char* caption, uint32_t type),                  \
      (owner, text, caption, type))                                                                \
    M(on, int, RestartSystem, (uint32_t flags, uint32_t reserved), (flags, reserved))              \
    M(on, long, ChangeDisplayMode, (const DisplayModeRecord* mode, uint32_t flags), (mode, flags)) \
    M(on, int, LoadStringResource,                                                                 \
      (InstanceHandle module, uint32_t id, char* buffer, int capacity),                            \
      (module, id, buffer, capacity))

// IModulePath: BuildModulePath of the help library, imported when the
// module loads.
#define VX_MODULE_PATH_METHODS(M, on)                                                          \
    M(on, int, BuildModulePath, (InstanceHandle module, CString & path, const char* fileName), \
      (module, path, fileName))

namespace vx {

VX_DECLARE_INTERFACE(IWindowing, VX_WINDOWING_METHODS);
VX_DECLARE_INTERFACE(IPropertySheets, VX_PROPERTY_SHEET_METHODS);
VX_DECLARE_INTERFACE(IShellServices, VX_SHELL_METHODS);
VX_DECLARE_INTERFACE(IModulePath, VX_MODULE_PATH_METHODS);

}  // namespace vx
