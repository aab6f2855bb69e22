// The page's dialog template 107 as the host backend's headless dialog
// manager builds it, from the same definitions as the resource script.
//
// Dialog units become pixels with the base units of 8-point "MS Sans Serif"
// at 96 dots per inch: 6 pixels across (the average character width) and
// 13 pixels down (the character height). As the dialog manager does, each
// coordinate and each extent is converted on its own, rounded to the
// nearest pixel (halves away from zero, like MulDiv):
//     x pixels = du * 6 / 4        y pixels = du * 13 / 8
// So "&Reset" (192, 202, 50, 14) lies at (288, 328)-(363, 351) and the icon
// (7, 5, 18, 20) at (11, 8)-(38, 41).
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace vx {

class HostWindowing;

constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;

int32_t DialogUnitsToPixelsX(int32_t du);
int32_t DialogUnitsToPixelsY(int32_t du);
// A control's pixel rectangle from its template x, y, width and height.
Rect DialogRect(int32_t x, int32_t y, int32_t cx, int32_t cy);

// The page window's style as a property sheet creates it from the
// template: a child control without caption, frame or disabled state.
uint32_t PageWindowStyle(uint32_t templateStyle);

// Creates the page window of template 107 at (x, y) in parent's client
// area with its three controls, each given the font; returns the window.
WindowHandle CreatePageFromTemplate(HostWindowing& windows, WindowHandle parent, int32_t x,
                                    int32_t y, FontHandle font, InstanceHandle module);

}  // namespace vx
