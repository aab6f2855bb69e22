#include "platform/host/HostPageTemplate.h"

#include <string>

#include "platform/WinConstants.h"
#include "platform/host/HostWindowing.h"
#include "resources/resource.h"

namespace vx {

namespace {

// MulDiv(value, numerator, denominator) for a positive denominator: the
// exact quotient rounded to the nearest integer, halves away from zero.
int32_t MulDiv(int32_t value, int32_t numerator, int32_t denominator) {
    const int64_t product = int64_t{value} * numerator;
    const int64_t half = denominator / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / denominator
                                             : -((-product + half) / denominator));
}

// What a property sheet changes in a page's template style: it adds
// WS_CHILD, WS_TABSTOP and DS_CONTROL and takes away DS_MODALFRAME,
// WS_CAPTION, WS_SYSMENU, WS_POPUP, WS_DISABLED, WS_VISIBLE and WS_THICKFRAME.
constexpr uint32_t kPageStylesAdded = 0x40010400;
constexpr uint32_t kPageStylesRemoved = 0x98CC0080;

void AddControl(HostWindowing& windows, WindowHandle page, const char* className,
                const char* caption, uint32_t style, const Rect& rect, int id, FontHandle font,
                InstanceHandle module) {
    WindowHandle control = windows.Create(className, caption, style, rect, page, id, module);
    windows.Send(control, kWmSetFont, reinterpret_cast<uintptr_t>(font), 0);
}

}  // namespace

int32_t DialogUnitsToPixelsX(int32_t du) {
    return MulDiv(du, kDialogBaseUnitX, 4);
}
int32_t DialogUnitsToPixelsY(int32_t du) {
    return MulDiv(du, kDialogBaseUnitY, 8);
}

Rect DialogRect(int32_t x, int32_t y, int32_t cx, int32_t cy) {
    Rect r;
    r.left = DialogUnitsToPixelsX(x);
    r.top = DialogUnitsToPixelsY(y);
    r.right = r.left + DialogUnitsToPixelsX(cx);
    r.bottom = r.top + DialogUnitsToPixelsY(cy);
    return r;
}

uint32_t PageWindowStyle(uint32_t templateStyle) {
    return (templateStyle | kPageStylesAdded) & ~kPageStylesRemoved;
}

WindowHandle CreatePageFromTemplate(HostWindowing& windows, WindowHandle parent, int32_t x,
                                    int32_t y, FontHandle font, InstanceHandle module) {
    Rect pageRect = DialogRect(VX_PAGE_X, VX_PAGE_Y, VX_PAGE_CX, VX_PAGE_CY);
    pageRect.left += x;
    pageRect.right += x;
    pageRect.top += y;
    pageRect.bottom += y;
    WindowHandle page = windows.Create("#32770", VX_PAGE_CAPTION, PageWindowStyle(VX_PAGE_STYLE),
                                       pageRect, parent, 0, module);
    if (page == nullptr) return nullptr;
    windows.Send(page, kWmSetFont, reinterpret_cast<uintptr_t>(font), 0);
    AddControl(windows, page, "Static", VX_WARNING_TEXT, VX_WARNING_STYLE,
               DialogRect(VX_WARNING_X, VX_WARNING_Y, VX_WARNING_CX, VX_WARNING_CY), IDC_WARNING,
               font, module);
    AddControl(windows, page, "Button", VX_RESET_TEXT, VX_RESET_STYLE,
               DialogRect(VX_RESET_X, VX_RESET_Y, VX_RESET_CX, VX_RESET_CY), IDC_RESET, font,
               module);
    const std::string icon = "#" + std::to_string(IDI_VEXARO);  // the icon by its resource id
    AddControl(windows, page, "Static", icon.c_str(), VX_ICON_STYLE,
               DialogRect(VX_ICON_X, VX_ICON_Y, VX_ICON_CX, VX_ICON_CY), IDC_PAGE_ICON, font,
               module);
    return page;
}

}  // namespace vx
