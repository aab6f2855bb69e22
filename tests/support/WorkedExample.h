// The controls that the page creates for its worked example (the settings
// and INI file of ExampleSettings) on a template whose group boxes are 352
// pixels wide: written once for the page's tests and the tool's.
#pragma once

#include <cstdint>

namespace vxtest {

// A control's place in the page's client area.
struct ExampleBox {
    int left, top, right, bottom;
};

struct ExampleControl {
    int id;
    const char* entry;  // the Layout value's name
    const char* caption;
    uint32_t style;
    bool checked;
    ExampleBox oneColumn;   // with 270 pixels of height available
    ExampleBox twoColumns;  // with 145, one too few for one column
};

// Extra is pruned: its group admits two members.
inline constexpr ExampleControl kExampleControls[] = {
    {2001, "Check1_1", "Fast fill", 0x50030003, true, {20, 72, 338, 87}, {20, 72, 179, 87}},
    {2002, "Check1_2", "Smooth lines", 0x50000003, false, {20, 94, 338, 109}, {195, 72, 354, 87}},
    {2003, "Group1_2", "Options", 0x50000007, false, {11, 50, 363, 119}, {11, 50, 363, 97}},
    {2004, "Radio2_1", "Standard", 0x50030009, true, {20, 149, 338, 164}, {20, 127, 179, 142}},
    {2005, "Radio2_2", "High", 0x50000009, false, {20, 171, 338, 186}, {195, 127, 354, 142}},
    {2006, "Group2_2", "Refresh", 0x50000007, false, {11, 127, 363, 196}, {11, 105, 363, 152}},
};

}  // namespace vxtest
