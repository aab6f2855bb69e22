// The controls that the page ought to create for a set of Layout values,
// worked out independently from the page's layout rules and the metrics
// measured from the page's own template controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace shelltest {

struct LayoutValue {
    std::string name;
    std::string caption;
    bool on = false;  // the state that the entry loads
};

struct PageMetrics {
    int groupBoxWidth = 0;
    int columnWidth = 0;
    int secondColumnX = 0;
    unsigned availableHeight = 0;
};

struct ExpectedControl {
    int id = 0;
    std::string caption;
    std::string name;  // the Layout value it shows
    DWORD style = 0;   // as created, before any check message
    RECT rect = {};    // page client coordinates
    bool on = false;
    bool firstOfGroup = false;
};

struct ExpectedLayout {
    bool oneColumn = false;
    std::vector<ExpectedControl> controls;
    std::vector<std::string> pruned;  // names the page deletes
};

// Metrics from the window rectangles of the "&Reset" button and the icon.
PageMetrics MeasureMetrics(const RECT& resetButton, const RECT& icon);

// The values must not hold two equal entries (same kind class, group and order).
ExpectedLayout ExpectLayout(std::vector<LayoutValue> values, const PageMetrics& metrics);

}  // namespace shelltest
