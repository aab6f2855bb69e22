// What the page looks like after it has been shown: the template's own
// controls, the controls made from entries, the entry list and what the
// showing removed from the registry. Plain data, filled by the session and
// read by the outputs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace vexaro {

struct ControlView {
    int id = 0;
    std::string kind;  // "Group", "Check", "Radio"; template: "Text", "PushButton", "Icon"
    std::string caption;
    vx::Rect rect;
    uint32_t style = 0;         // as the control was created
    uint32_t currentStyle = 0;  // now (checking a radio button moves its WS_TABSTOP)
    bool checked = false;
    std::string entry;  // Layout value name; empty for template controls
    int position = -1;  // list position of the entry; -1 for template controls
};

struct EntryView {
    int position = 0;
    std::string name;
    std::string kind;  // "Group", "Check", "Radio" or empty
    int group = 0;
    int order = 0;
    std::string caption;
    int state = 0;
    int controlId = 0;  // 0: the entry has no control
};

// A Layout value that the showing deleted, with the reason.
struct Removal {
    std::string name;
    std::string reason;  // "evicted" (a later duplicate took its place) or "pruned"
    std::string by;      // evicted: the Layout value that replaced it; pruned: its group
    bool associationDeleted = false;
};

struct Metrics {
    int groupBoxWidth = 0;
    int columnWidth = 0;
    int secondColumnX = 0;
    int availableHeight = 0;
    bool oneColumn = true;
};

struct PageSnapshot {
    std::string caption;
    int width = 0;  // client size of the page in pixels
    int height = 0;
    std::string driverKeyPath;
    Metrics metrics;
    std::vector<ControlView> templateControls;
    std::vector<ControlView> controls;    // in creation order
    std::vector<EntryView> entries;       // the entry list after the layout pass
    std::vector<Removal> removals;        // in the order of deletion
    std::vector<std::string> notVisited;  // Layout values the enumeration skipped
    std::string pendingAction;
};

// Text form of a style: "0x50030003".
std::string StyleText(uint32_t style);

}  // namespace vexaro
