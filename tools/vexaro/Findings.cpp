#include "Findings.h"

#include <cstdio>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <set>

#include "AnsiText.h"
#include "platform/WinConstants.h"

namespace vexaro {

namespace {

constexpr size_t kNameRoom = 256;  // the page's room for a Layout value's name, zero included
constexpr size_t kDataRoom = 256;  // and for its data
constexpr size_t kNameLength = 8;  // kind word, group digit, separator, order digit
constexpr int kLastCommandId = 2255;
constexpr int kControlIdBase = 2000;

const char* const kRequired[] = {"INIFile", "Section", "KeyString", "AndMask", "OrMask"};

std::string Hex(uint32_t value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
    return buf;
}

bool IsText(uint32_t type) {
    return type == vx::kRegSz || type == vx::kRegExpandSz || type == vx::kRegMultiSz;
}

// The text of data stored as a string, up to its first zero byte.
std::string TextOf(const std::vector<uint8_t>& data) {
    std::string text;
    for (uint8_t b : data) {
        if (b == 0) break;
        text += static_cast<char>(b);
    }
    return text;
}

// The mask the page takes: the first byte as a signed 8-bit number, widened.
int32_t MaskOf(const std::vector<uint8_t>& data) {
    if (data.empty()) return 0;
    return static_cast<int8_t>(data[0]);
}

class Collector {
  public:
    explicit Collector(std::vector<Finding>& out) : m_out(out) {}
    void Add(const std::string& code, const std::string& entry, const std::string& message) {
        m_out.push_back({code, entry, message});
    }

  private:
    std::vector<Finding>& m_out;
};

void CheckRemovals(const PageSnapshot& page, Collector& c) {
    for (const Removal& r : page.removals) {
        std::string what =
            r.associationDeleted ? "its Layout value and Association key" : "its Layout value";
        if (r.reason == "evicted") {
            c.Add("evicted", r.name,
                  "duplicate of " + r.by + ", which is loaded after it: " + what + " deleted");
        } else {
            c.Add("pruned", r.name,
                  (r.by.empty() ? std::string("not admitted by its group")
                                : "not admitted by " + r.by) +
                      ": " + what + " deleted");
        }
    }
}

void CheckNotVisited(const StoredLayout& stored, const PageSnapshot& page, Collector& c) {
    std::string stopper;
    for (const StoredEntry& e : stored.entries) {
        bool unreadable = e.name.size() >= kNameRoom || e.caption.size() > kDataRoom;
        bool skipped = false;
        for (const std::string& n : page.notVisited) skipped = skipped || n == e.name;
        if (unreadable && stopper.empty()) {
            stopper = e.name;
            c.Add("unreadable", e.name,
                  e.name.size() >= kNameRoom ? "name of " + std::to_string(e.name.size()) +
                                                   " characters does not fit: loading stops here"
                                             : "caption of " + std::to_string(e.caption.size()) +
                                                   " bytes does not fit: loading stops here");
        } else if (skipped && !stopper.empty()) {
            c.Add("not-loaded", e.name, "not loaded: loading stops at " + stopper);
        } else if (skipped) {
            c.Add("not-loaded", e.name,
                  "skipped by this showing (a deletion while loading moved it); loaded the next "
                  "time");
        }
    }
}

void CheckAssociation(const StoredEntry& e, Collector& c) {
    if (!e.associationKey) {
        c.Add("missing-association", e.name, "no Association key: shown off, Apply writes nothing");
        return;
    }
    std::string missing;
    for (const char* name : kRequired) {
        if (e.association.count(name) == 0)
            missing += std::string(missing.empty() ? "" : ", ") + name;
    }
    if (!missing.empty()) {
        c.Add("missing-association", e.name,
              "Association lacks " + missing + ": shown at its default, Apply writes nothing");
    }
    for (const char* maskName : {"AndMask", "OrMask"}) {
        auto it = e.association.find(maskName);
        if (it == e.association.end()) continue;
        const StoredValue& v = it->second;
        int32_t mask = MaskOf(v.data);
        if (IsText(v.type)) {
            c.Add("mask-text", e.name,
                  std::string(maskName) + " stored as text \"" + TextOf(v.data) +
                      "\": the page uses its first character's code, " + std::to_string(mask) +
                      " (" + Hex(static_cast<uint32_t>(mask), 8) + ")");
        } else if (v.type == vx::kRegDword && v.data.size() == 4) {
            uint32_t stored = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) |
                              (static_cast<uint32_t>(v.data[3]) << 24);
            if (stored != static_cast<uint32_t>(mask)) {
                c.Add("mask-truncated", e.name,
                      std::string(maskName) + " dword " + Hex(stored, 8) + " is used as " +
                          Hex(static_cast<uint32_t>(mask), 8) + ": only its lowest byte counts");
            }
        }
    }
    auto def = e.association.find("Default");
    if (def != e.association.end()) {
        std::string text = TextOf(def->second.data);
        if (text != "On" && text.size() == 2 && (text[0] == 'o' || text[0] == 'O') &&
            (text[1] == 'n' || text[1] == 'N')) {
            c.Add("default-case", e.name, "Default \"" + text + "\" means off: only \"On\" is on");
        }
    }
    auto action = e.association.find("Action");
    if (action != e.association.end()) {
        std::string text = TextOf(action->second.data);
        if (text != "Reboot" && text != "Mode" && text != "Dynamic") {
            c.Add("action-text", e.name,
                  "Action \"" + text + "\" asks for nothing after Apply (only \"Mode\" and " +
                      "\"Reboot\" do)");
        }
    }
}

void CheckEntries(const StoredLayout& stored, const PageSnapshot& page, Collector& c) {
    std::set<std::string> removed;
    for (const Removal& r : page.removals) removed.insert(r.name);
    for (const StoredEntry& e : stored.entries) {
        if (removed.count(e.name)) continue;
        if (e.name.size() < kNameLength) {
            c.Add("short-name", e.name,
                  "name shorter than 8 characters: its group or order digit is missing");
        }
        if (e.name.compare(0, 5, "Group") != 0) CheckAssociation(e, c);
    }
    bool groupSeen = false;
    for (const EntryView& e : page.entries) {
        if (e.kind == "Group") {
            groupSeen = true;
        } else if (e.kind.empty()) {
            c.Add("unknown-kind", e.name,
                  "name begins with none of Group, Check, Radio: no control");
        } else if (!groupSeen) {
            c.Add("no-group", e.name,
                  "no Group entry before it in the list: no control, Apply still writes it");
        }
    }
}

void CheckIds(const PageSnapshot& page, Collector& c) {
    for (const ControlView& ctl : page.controls) {
        if (ctl.id > kLastCommandId) {
            c.Add("id-past-2255", ctl.entry,
                  "control id " + std::to_string(ctl.id) + " is past 2255: its clicks are ignored");
            continue;
        }
        if (ctl.kind == "Group" || ctl.position < 0) continue;
        if (ctl.id - kControlIdBase == ctl.position) continue;
        std::string target = "past the end of the list";
        for (const EntryView& e : page.entries) {
            if (e.position == ctl.id - kControlIdBase) target = "entry " + e.name;
        }
        c.Add("id-mismatch", ctl.entry,
              "control id " + std::to_string(ctl.id) + " stands for list position " +
                  std::to_string(ctl.id - kControlIdBase) + " (" + target +
                  "): its clicks are tracked on the wrong entry");
    }
}

}  // namespace

std::vector<Finding> FindProblems(const StoredLayout& stored, const PageSnapshot& page) {
    std::vector<Finding> findings;
    Collector c(findings);
    if (page.driverKeyPath.empty()) {
        c.Add("driver-key", "", "the display driver's key cannot be found: the page is empty");
        return findings;
    }
    if (!stored.layoutKey) {
        c.Add("no-layout", "",
              "no Layout key under " + page.driverKeyPath +
                  "\\Vexaro: the page shows only its template");
        return findings;
    }
    CheckRemovals(page, c);
    CheckNotVisited(stored, page, c);
    CheckEntries(stored, page, c);
    CheckIds(page, c);
    return findings;
}

void WriteFindings(const std::vector<Finding>& findings, std::ostream& out) {
    if (findings.empty()) {
        out << "No findings.\n";
        return;
    }
    for (const Finding& f : findings) {
        out << std::left << std::setw(20) << f.code
            << PadRight(f.entry.empty() ? "-" : Shown(f.entry), 12) << Printable(f.message) << "\n";
    }
    out << findings.size() << (findings.size() == 1 ? " finding.\n" : " findings.\n");
}

void WriteFindingsJson(const std::vector<Finding>& findings, std::ostream& out) {
    nlohmann::ordered_json j;
    j["schema"] = 1;
    j["findings"] = nlohmann::ordered_json::array();
    for (const Finding& f : findings) {
        j["findings"].push_back(
            {{"code", f.code},
             {"entry", f.entry.empty() ? nlohmann::ordered_json(nullptr)
                                       : nlohmann::ordered_json(Utf8(f.entry))},
             {"entryBytes", f.entry.empty() ? nlohmann::ordered_json(nullptr)
                                            : nlohmann::ordered_json(HexBytes(f.entry))},
             {"message", Utf8Lenient(f.message)}});
    }
    out << EscapeJsonControls(
               j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
        << "\n";
}

}  // namespace vexaro
