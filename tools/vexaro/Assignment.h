// The settings that apply is asked for: NAME=on|off, and the page control
// that each one names.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "Snapshot.h"

namespace vexaro {

struct Assignment {
    std::string name;  // as given, in code page 1252 when it was typed in UTF-8
    bool on = false;
};

// Parses "NAME=on" and "NAME=off" (on and off in any letter case); a
// setting given again is dropped. False with a one-line reason for the
// first malformed one, or for a name asked both on and off.
bool ParseAssignments(const std::vector<std::string>& texts, std::vector<Assignment>* out,
                      std::string* error);

// The control that shows the named entry (names compare without regard to
// letter case, as the registry's do); null with a one-line reason when the
// page has no on/off control for that name.
const ControlView* FindControl(const PageSnapshot& page, const std::string& name,
                               std::string* error);

// FindControl for many names over one page: the entries and controls are
// looked up by name and position instead of walked for every name.
class ControlFinder {
  public:
    explicit ControlFinder(const PageSnapshot& page);
    const ControlView* Find(const std::string& name, std::string* error) const;

  private:
    const PageSnapshot& m_page;
    std::unordered_map<std::string, const EntryView*> m_entries;  // first of each name
    std::unordered_map<int, const ControlView*> m_controls;       // by entry position
};

}  // namespace vexaro
