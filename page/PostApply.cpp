// What follows Apply: the restart question for "Reboot", and for "Mode"
// setting the current display mode again so that the driver takes up the
// change.
#include "page/PostApply.h"

#include <climits>
#include <cstring>

#include "layout/PendingAction.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"
#include "vx_abi.h"

namespace vx {

namespace {

constexpr uint32_t kRestartQuestionId = 2;
constexpr const char* kCaption = "Vexaro";
constexpr const char* kDisplayLibrary = "ferolib.dll";
constexpr const char* kGetCurrentConfig = "?GetCurrentConfig@@YGHAAU_settingdata@@@Z";
constexpr uint16_t kModeRecordSize = sizeof(DisplayModeRecord);
constexpr uint32_t kModeFields = kDmBitsPerPel | kDmPelsWidth | kDmPelsHeight | kDmDisplayFrequency;

using GetCurrentConfigFn = int VX_STDCALL (*)(_settingdata&);

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads text as atoi does: blanks, an optional sign, then decimal digits up
// to the first other character; 0 without digits. Beyond the range of a
// 32-bit integer the result stops at its nearest end.
int32_t ReadInteger(const char* text) {
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= int64_t{INT32_MAX} + 1) value = value * 10 + (*text - '0');
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

void SplitResolution(const CString& text, int32_t* width, int32_t* height) {
    const char* comma = std::strchr(text.c_str(), ',');
    if (comma == nullptr) {
        *width = 0;
        *height = ReadInteger(text);
        return;
    }
    const CString first(text.c_str(), static_cast<int>(comma - text.c_str()));
    *width = ReadInteger(first);
    *height = ReadInteger(comma + 1);
}

void BuildModeRecord(const _settingdata& data, DisplayModeRecord* mode) {
    std::memset(mode, 0, sizeof *mode);
    mode->dmSize = kModeRecordSize;
    mode->dmFields = kModeFields;
    mode->dmBitsPerPel = static_cast<uint32_t>(ReadInteger(data.bitsPerPel));
    int32_t width = 0;
    int32_t height = 0;
    SplitResolution(data.resolution, &width, &height);
    mode->dmPelsWidth = static_cast<uint32_t>(width);
    mode->dmPelsHeight = static_cast<uint32_t>(height);
    mode->dmDisplayFrequency = static_cast<uint32_t>(ReadInteger(data.frequency));
}

int ReadCurrentMode(DisplayModeRecord* mode) {
    ILibraryLoader* libraries = Platform().libraries;
    if (libraries == nullptr) return 0;
    _settingdata data{};
    int success = 0;
    {
        ScopedLibrary library(*libraries, kDisplayLibrary);
        auto getCurrentConfig =
            reinterpret_cast<GetCurrentConfigFn>(library.GetProc(kGetCurrentConfig));
        if (getCurrentConfig != nullptr) {
            getCurrentConfig(data);  // its result is not consulted
            success = 1;
        }
    }
    if (success) {
        DisplayModeRecord record;
        BuildModeRecord(data, &record);
        std::memcpy(mode, &record, sizeof record);
    }
    return success;
}

void RunPostApplyAction() {
    ISystem* system = Platform().system;
    IShellServices* shell = Platform().shell;
    if (PendingAction == "Mode" && system != nullptr &&
        system->GetSystemMetrics(kSmCleanBoot) != 0) {
        PendingAction = "Reboot";
    }
    if (PendingAction == "Reboot") {
        CString question;
        question.LoadFromTable(kRestartQuestionId);
        if (shell != nullptr && shell->ShowMessageBox(nullptr, question, kCaption,
                                                      kMbIconQuestion | kMbYesNo) == kIdYes) {
            shell->RestartSystem(kEwxReboot | kEwxForce, 0);
        }
        return;
    }
    if (PendingAction == "Mode") {
        DisplayModeRecord mode;
        if (ReadCurrentMode(&mode) && shell != nullptr) shell->ChangeDisplayMode(&mode, 0);
    }
}

}  // namespace vx
