// What the Windows tests expect of the Windows they run on. The build's own
// Wine prefix plays Windows NT and draws at 96 dots per inch. The test
// command also runs the real page in copies of that prefix set to play
// Windows 95 or to draw at 120 dots per inch (Large Fonts), and tells the
// tests so: VX_EXPECT_WINDOWS=95, VX_EXPECT_DPI=120.
#pragma once

namespace vxtest {

// Whether the version and the registry rules are Windows 95's.
bool ExpectWindows95();

// The screen's dots per inch (96 unless VX_EXPECT_DPI says otherwise; 0 for
// a value that is not a number, which no screen has).
int ExpectedDpi();

// The page metrics that dialog template 107 gives on the expected screen, in
// pixels. The template is laid out in dialog units of its 8-point font, which
// Windows draws larger at 120 dots per inch, so the metrics grow with the
// resolution (the controls that the page creates are placed in pixels and
// do not).
struct TemplateMetrics {
    int groupBoxWidth = 0;    // right edge of "&Reset" minus left edge of the icon
    int columnWidth = 0;      // half of it, minus 17
    int secondColumnX = 0;    // half of it, plus 19
    int availableHeight = 0;  // top of "&Reset" minus bottom of the icon, minus 17
    // The right edges of the created controls in one column: a check box or
    // radio button, and a group box.
    int buttonRight = 0;
    int groupBoxRight = 0;
};
// All zero for a resolution that the tests know no numbers for.
TemplateMetrics ExpectedTemplateMetrics();

}  // namespace vxtest
