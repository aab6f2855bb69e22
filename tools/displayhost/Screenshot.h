// Saves what a window shows on the screen as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace displayhost {

// Brings the window to the front, lets it paint, copies its screen area and
// writes it to path. False when the capture or the file failed.
bool SaveWindowPicture(HWND window, const std::string& path);

}  // namespace displayhost
