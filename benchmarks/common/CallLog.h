// A log of the platform calls that the page makes, with every handle
// replaced by a slot number, so that the same calls can be made again
// against the real API, where the keys, windows and fonts are new ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace vxbench {

enum class Op {
    // Registry
    kOpenKey,
    kEnumValue,
    kQueryValue,
    kSetValue,
    kDeleteValue,
    kDeleteKey,
    kCloseKey,
    // INI profile
    kGetInt,
    kWriteString,
    // Windows
    kCreateButton,
    kDestroyWindow,
    kSend,
    kGetWindowRect,
    kGetDlgItem,
    kEnableWindow,
    // Property sheets
    kCreatePage,
    kDestroyPage,
    kMarkModified,
    // System and debug output
    kGetSystemMetrics,
    kGetKeyState,
    kDebugWrite,
};

// A string argument that may be null.
struct Text {
    bool present = false;
    std::string text;
    const char* Get() const { return present ? text.c_str() : nullptr; }
    static Text Of(const char* s) { return s != nullptr ? Text{true, s} : Text{}; }
};

constexpr int kNoSlot = -1;

struct Call {
    Op op;
    // Strings: registry path or value name; section, key, value, file;
    // caption; debug text.
    Text s1, s2, s3, s4;
    uint32_t u1 = 0;  // access, index, type, style, message, metric, key, flags
    uint32_t u2 = 0;  // name capacity, template id
    uint32_t u3 = 0;  // data capacity
    int32_t i1 = 0;   // INI default, control id
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    vx::Rect rect;
    int keySlot = kNoSlot;      // the key an operation works on
    int windowSlot = kNoSlot;   // the window an operation works on (parent for creation)
    int resultSlot = kNoSlot;   // the key, window, font or page that the call gives
    int wParamSlot = kNoSlot;   // a font slot passed as WM_SETFONT's wParam
    std::vector<uint8_t> data;  // SetValue
    vx::InstanceHandle module = nullptr;
};

// Slots of handles that the calls did not create themselves: the page's
// window (or the sheet's) as the page was given it.
struct CallLog {
    std::vector<Call> calls;
    int keySlots = 0;
    int windowSlots = 0;
    int fontSlots = 0;
    int pageSlots = 0;
    // Window slots that were met as arguments before any call gave them.
    std::vector<int> outsideWindows;

    int Count(Op op) const;
};

}  // namespace vxbench
