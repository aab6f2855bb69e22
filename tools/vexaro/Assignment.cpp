#include "Assignment.h"

#include "AnsiText.h"
#include "platform/NoCase.h"

namespace vexaro {

bool ParseAssignments(const std::vector<std::string>& texts, std::vector<Assignment>* out,
                      std::string* error) {
    out->clear();
    // Each name's first setting, by its name in lower case.
    std::unordered_map<std::string, size_t> given;
    for (const std::string& text : texts) {
        size_t eq = text.rfind('=');
        std::string state = eq == std::string::npos ? "" : vx::LowerCase(text.substr(eq + 1));
        if (eq == std::string::npos || eq == 0 || (state != "on" && state != "off")) {
            *error = "\"" + text + "\" is not NAME=on or NAME=off";
            return false;
        }
        // A name typed in UTF-8 is looked up in the registry's code page.
        Assignment a{AnsiFromArgument(text.substr(0, eq)), state == "on"};
        auto [earlier, added] = given.emplace(vx::LowerCase(a.name), out->size());
        if (added) {
            out->push_back(a);
        } else if ((*out)[earlier->second].on != a.on) {
            *error = (*out)[earlier->second].name + " is asked to be both on and off";
            return false;
        }
    }
    return true;
}

const ControlView* FindControl(const PageSnapshot& page, const std::string& name,
                               std::string* error) {
    for (const EntryView& e : page.entries) {
        if (!vx::SameNoCase(e.name, name)) continue;
        if (e.kind == "Group") {
            *error = e.name + " is a group box: it has no on/off state";
            return nullptr;
        }
        for (const ControlView& c : page.controls) {
            if (c.position == e.position) return &c;
        }
        *error = e.name + " has no control on the page (" +
                 (e.kind.empty() ? std::string("its name begins with no kind word")
                                 : std::string("no Group entry comes before it")) +
                 ")";
        return nullptr;
    }
    for (const Removal& r : page.removals) {
        if (!vx::SameNoCase(r.name, name)) continue;
        *error = r.name + " is not on the page: " +
                 (r.reason == "evicted" ? "evicted by its duplicate " + r.by
                                        : "its group " + r.by + " does not admit it");
        return nullptr;
    }
    for (const std::string& skipped : page.notVisited) {
        if (!vx::SameNoCase(skipped, name)) continue;
        *error = skipped + " is not loaded by this showing of the page";
        return nullptr;
    }
    *error = "unknown entry " + name + ": no such Layout value";
    return nullptr;
}

ControlFinder::ControlFinder(const PageSnapshot& page) : m_page(page) {
    for (const EntryView& e : page.entries) m_entries.emplace(vx::LowerCase(e.name), &e);
    for (const ControlView& c : page.controls) m_controls.emplace(c.position, &c);
}

const ControlView* ControlFinder::Find(const std::string& name, std::string* error) const {
    auto entry = m_entries.find(vx::LowerCase(name));
    if (entry != m_entries.end() && entry->second->kind != "Group") {
        auto control = m_controls.find(entry->second->position);
        if (control != m_controls.end()) return control->second;
    }
    // Every other answer, with its reason, as FindControl gives it.
    return FindControl(m_page, name, error);
}

}  // namespace vexaro
