// The controls that the page creates for its worked example (the settings
// and INI file of ExampleSettings) on a template whose group boxes are 352
// pixels wide: written once for the page's tests and the tool's.
#pragma once

#include <cstdint>

namespace vxtest {

struct ExampleControl {
    int id;
    const char* entry;  // the Layout value's name
    const char* caption;
    int left, top, right, bottom;  // in the page's client area
    uint32_t style;
    bool checked;
};

// With 270 pixels of height available: one column, Extra pruned.
inline constexpr ExampleControl kExampleOneColumn[] = {
    {2001, "Check1_1", "Fast fill", 20, 72, 338, 87, 0x50030003, true},
    {2002, "Check1_2", "Smooth lines", 20, 94, 338, 109, 0x50000003, false},
    {2003, "Group1_2", "Options", 11, 50, 363, 119, 0x50000007, false},
    {2004, "Radio2_1", "Standard", 20, 149, 338, 164, 0x50030009, true},
    {2005, "Radio2_2", "High", 20, 171, 338, 186, 0x50000009, false},
    {2006, "Group2_2", "Refresh", 11, 127, 363, 196, 0x50000007, false},
};

// With 145 pixels: one too few for one column, so two.
inline constexpr ExampleControl kExampleTwoColumns[] = {
    {2001, "Check1_1", "Fast fill", 20, 72, 179, 87, 0x50030003, true},
    {2002, "Check1_2", "Smooth lines", 195, 72, 354, 87, 0x50000003, false},
    {2003, "Group1_2", "Options", 11, 50, 363, 97, 0x50000007, false},
    {2004, "Radio2_1", "Standard", 20, 127, 179, 142, 0x50030009, true},
    {2005, "Radio2_2", "High", 195, 127, 354, 142, 0x50000009, false},
    {2006, "Group2_2", "Refresh", 11, 105, 363, 152, 0x50000007, false},
};

}  // namespace vxtest
