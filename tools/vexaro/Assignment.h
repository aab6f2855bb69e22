// The settings that apply is asked for: NAME=on|off, and the page control
// that each one names.
#pragma once

#include <string>
#include <vector>

#include "Snapshot.h"

namespace vexaro {

struct Assignment {
    std::string name;  // as given, in code page 1252 when it was typed in UTF-8
    bool on = false;
};

// Parses "NAME=on" and "NAME=off" (on and off in any letter case); false
// with a one-line reason for the first malformed one.
bool ParseAssignments(const std::vector<std::string>& texts, std::vector<Assignment>* out,
                      std::string* error);

// The control that shows the named entry (names compare without regard to
// letter case, as the registry's do); null with a one-line reason when the
// page has no on/off control for that name.
const ControlView* FindControl(const PageSnapshot& page, const std::string& name,
                               std::string* error);

}  // namespace vexaro
