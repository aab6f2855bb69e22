// What follows Apply: the restart question or the display-mode refresh.
#pragma once

#include <cstdint>

#include "platform/Types.h"
#include "platform/framework/FrameworkString.h"

namespace vx {

// The record that GetCurrentConfig of the display library fills.
struct _settingdata {
    uint32_t field1;
    uint32_t field2;
    CString bitsPerPel;  // field 3
    CString resolution;  // field 4: width "," height
    CString field5;
    CString frequency;  // field 6
};

void RunPostApplyAction();
int ReadCurrentMode(DisplayModeRecord* mode);
void BuildModeRecord(const _settingdata& data, DisplayModeRecord* mode);
void SplitResolution(const CString& text, int32_t* width, int32_t* height);

}  // namespace vx
