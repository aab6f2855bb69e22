// Basic types shared by the portable logic and both backends.
// The logic never sees <windows.h>; handles are opaque pointers and
// the numeric constants carry the values that the Windows API gives them.
#pragma once

#include <cstdint>

namespace vx {

// Each kind of handle is a pointer to its own incomplete type, as the
// Windows headers make HWND and HKEY with STRICT: a key does not pass where
// a window is expected. A backend turns them into its own handles and back
// with reinterpret_cast; the logic never looks inside.
struct OpaqueWindow;
struct OpaqueInstance;
struct OpaqueFont;
struct OpaqueKey;
struct OpaqueLibrary;
struct OpaquePage;
using WindowHandle = OpaqueWindow*;
using InstanceHandle = OpaqueInstance*;
using FontHandle = OpaqueFont*;
using KeyHandle = OpaqueKey*;
using LibraryHandle = OpaqueLibrary*;
using PageHandle = OpaquePage*;

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Header of a WM_NOTIFY message, laid out as NMHDR.
struct NotifyHeader {
    WindowHandle hwndFrom;
    uintptr_t idFrom;
    uint32_t code;
};

// The display-mode record: DEVMODEA in its 148-byte form (up to and with
// dmReserved2, without the panning fields). Byte offsets follow DEVMODEA.
#pragma pack(push, 1)
struct DisplayModeRecord {
    char dmDeviceName[32];
    uint16_t dmSpecVersion;
    uint16_t dmDriverVersion;
    uint16_t dmSize;
    uint16_t dmDriverExtra;
    uint32_t dmFields;
    int16_t dmOrientation_or_position[8];  // printer/position union, 16 bytes
    int16_t dmColor;
    int16_t dmDuplex;
    int16_t dmYResolution;
    int16_t dmTTOption;
    int16_t dmCollate;
    char dmFormName[32];
    uint16_t dmLogPixels;
    uint32_t dmBitsPerPel;
    uint32_t dmPelsWidth;
    uint32_t dmPelsHeight;
    uint32_t dmDisplayFlags;
    uint32_t dmDisplayFrequency;
    uint32_t dmICMMethod;
    uint32_t dmICMIntent;
    uint32_t dmMediaType;
    uint32_t dmDitherType;
    uint32_t dmReserved1;
    uint32_t dmReserved2;
};
#pragma pack(pop)
static_assert(sizeof(DisplayModeRecord) == 148, "display-mode record must be 148 bytes");

}  // namespace vx
