// Numeric values of the Windows constants that the logic passes through
// the platform interfaces. They are the API's own values.
#pragma once

#include <cstdint>

namespace vx {

// Registry
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorNotEnoughMemory = 8;
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorBadPathname = 161;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;
constexpr long kErrorKeyDeleted = 1018;
constexpr uint32_t kKeyRead = 0x20019;
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

// System metrics, keys
constexpr int kSmCleanBoot = 67;
constexpr int kVkControl = 0x11;

// Window messages
constexpr uint32_t kWmSetFont = 0x0030;
constexpr uint32_t kWmGetFont = 0x0031;
constexpr uint32_t kWmNotify = 0x004E;
constexpr uint32_t kWmContextMenu = 0x007B;
constexpr uint32_t kWmInitDialog = 0x0110;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmLButtonDown = 0x0201;
constexpr uint32_t kBmGetCheck = 0x00F0;
constexpr uint32_t kBmSetCheck = 0x00F1;
constexpr uint32_t kBnClicked = 0;

// Window and button styles
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kBsAutoCheckBox = 0x00000003;
constexpr uint32_t kBsGroupBox = 0x00000007;
constexpr uint32_t kBsAutoRadioButton = 0x00000009;

// Property sheets
constexpr uint32_t kPspHasHelp = 0x00000020;
constexpr uint32_t kPspUseCallback = 0x00000080;
constexpr uint32_t kPsnFirst = 0xFFFFFF38;  // (0U - 200U)
constexpr uint32_t kPsnSetActive = kPsnFirst - 0;
constexpr uint32_t kPsnKillActive = kPsnFirst - 1;
constexpr uint32_t kPsnApply = kPsnFirst - 2;
constexpr uint32_t kPsnReset = kPsnFirst - 3;
constexpr uint32_t kPsnHelp = kPsnFirst - 5;  // 0xFFFFFF33

// Help, message boxes, restart, display modes
constexpr uint32_t kHelpFinder = 11;
constexpr uint32_t kMbYesNo = 0x04;
constexpr uint32_t kMbIconQuestion = 0x20;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr uint32_t kEwxForce = 0x04;
constexpr uint32_t kEwxReboot = 0x02;
constexpr uint32_t kDmBitsPerPel = 0x00040000;
constexpr uint32_t kDmPelsWidth = 0x00080000;
constexpr uint32_t kDmPelsHeight = 0x00100000;
constexpr uint32_t kDmDisplayFrequency = 0x00400000;

}  // namespace vx
