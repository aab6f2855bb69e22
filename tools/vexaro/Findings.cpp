#include "Findings.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

#include "AnsiText.h"
#include "Columns.h"
#include "NameTable.h"
#include "Options.h"
#include "Suggestion.h"
#include "platform/WinConstants.h"

namespace vexaro {

namespace {

const std::vector<FindingKind> kKinds = {
    {"driver-key", Severity::Error, "the driver's key cannot be found: the page is empty"},
    {"evicted", Severity::Error,
     "a duplicate: the page deletes the one loaded earlier, its Layout value and (for a "
     "member) its Association key"},
    {"pruned", Severity::Error,
     "a member that its group does not admit (order above the group's, or no Group entry of "
     "its group): deleted"},
    {"unreadable", Severity::Error,
     "a name of 256 characters or more, or data over 256 bytes: loading stops there"},
    {"id-past-2255", Severity::Error, "a control id above 2255: its clicks are ignored"},
    {"id-mismatch", Severity::Error,
     "a control whose id minus 2000 is not its list position: its clicks are tracked on "
     "another entry"},
    {"no-layout", Severity::Warning, "no Layout key under the driver's key: an empty page"},
    {"missing-association", Severity::Warning,
     "no Association key, or one without INIFile, Section, KeyString, AndMask or OrMask: shown "
     "at its default, Apply writes nothing"},
    {"mask-text", Severity::Warning,
     "AndMask or OrMask stored as text: the mask is the code of its first character"},
    {"mask-truncated", Severity::Warning,
     "a dword mask other than its lowest byte sign-extended: only that byte counts"},
    {"default-case", Severity::Warning, "Default is \"on\", \"ON\"...: only \"On\" means on"},
    {"action-text", Severity::Warning,
     "Action other than Dynamic, Mode or Reboot: asks for nothing after Apply"},
    {"short-name", Severity::Warning, "a Layout name shorter than 8 characters"},
    {"unknown-kind", Severity::Warning,
     "a name that begins with none of Group, Check, Radio: no control"},
    {"no-group", Severity::Warning,
     "an entry before the first Group entry: no control, Apply still writes it"},
    {"ini-path", Severity::Error,
     "an INIFile name that leads outside the Windows folder and the drive (another drive, a "
     "network path, a host path, a drive path without --drive, a symbolic link out of them or "
     "to nothing): nothing read, apply refuses"},
    {"ini-not-file", Severity::Error,
     "an INIFile that is a directory, a pipe or a device: nothing read, apply refuses"},
    {"ini-input", Severity::Error,
     "an INIFile that is the registry or INF file being read: apply refuses to write INI "
     "sections into it"},
    {"ini-missing", Severity::Warning,
     "an INIFile that is not there: the page shows defaults, Apply creates it (or cannot, "
     "when its folder is missing too)"},
    {"input-line", Severity::Warning,
     "a line of the registry or INF file that Windows skips, or reads otherwise than written: "
     "the tool reads it the same way"},
    {"not-loaded", Severity::Note,
     "a Layout value this showing does not load: an eviction moved it past the enumeration "
     "(loaded next time), or an unreadable value stopped loading"},
};

size_t KindIndex(const std::string& code) {
    for (size_t i = 0; i < kKinds.size(); ++i) {
        if (code == kKinds[i].code) return i;
    }
    return kKinds.size();
}

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
        size_t kind = KindIndex(code);
        m_out.push_back(
            {code, entry, message, kind < kKinds.size() ? kKinds[kind].severity : Severity::Error});
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
    const std::set<std::string> notVisited(page.notVisited.begin(), page.notVisited.end());
    for (const StoredEntry& e : stored.entries) {
        bool unreadable = e.name.size() >= kNameRoom || e.caption.size() > kDataRoom;
        const bool skipped = notVisited.count(e.name) != 0;
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
        const int at = ctl.id - kControlIdBase;
        if (at >= 0 && static_cast<size_t>(at) < page.entries.size() &&
            page.entries[static_cast<size_t>(at)].position == at) {
            target = "entry " + page.entries[static_cast<size_t>(at)].name;
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

namespace {

std::vector<std::string> SplitWords(const std::vector<std::string>& words) {
    std::vector<std::string> parts;
    for (const std::string& w : words) {
        size_t from = 0;
        for (;;) {
            size_t comma = w.find(',', from);
            parts.push_back(w.substr(from, comma - from));
            if (comma == std::string::npos) break;
            from = comma + 1;
        }
    }
    return parts;
}

bool Matches(const Finding& f, const std::vector<std::string>& words) {
    for (const std::string& w : words) {
        if (w == f.code || w == SeverityName(f.severity)) return true;
    }
    return false;
}

}  // namespace

const char* SeverityName(Severity severity) {
    static const Named<Severity> kNames[] = {
        {Severity::Error, "error"}, {Severity::Warning, "warning"}, {Severity::Note, "note"}};
    return NameOf(severity, kNames, "error");
}

const std::vector<FindingKind>& FindingKinds() {
    return kKinds;
}

bool CheckKindWords(const std::vector<std::string>& words, std::string* error) {
    std::vector<std::string> known = {"error", "warning", "note"};
    for (const FindingKind& k : kKinds) known.push_back(k.code);
    for (const std::string& w : SplitWords(words)) {
        if (std::find(known.begin(), known.end(), w) != known.end()) continue;
        *error = "unknown kind of finding '" + w + "'" + DidYouMean(w, known);
        return false;
    }
    return true;
}

size_t SelectFindings(const std::vector<std::string>& kinds,
                      const std::vector<std::string>& ignored, std::vector<Finding>* findings) {
    const std::vector<std::string> wanted = SplitWords(kinds), dropped = SplitWords(ignored);
    const size_t before = findings->size();
    findings->erase(std::remove_if(findings->begin(), findings->end(),
                                   [&](const Finding& f) {
                                       return (!wanted.empty() && !Matches(f, wanted)) ||
                                              Matches(f, dropped);
                                   }),
                    findings->end());
    std::stable_sort(findings->begin(), findings->end(), [](const Finding& a, const Finding& b) {
        if (a.severity != b.severity) return a.severity < b.severity;
        return KindIndex(a.code) < KindIndex(b.code);
    });
    return before - findings->size();
}

int ExitCodeOnErrors(const std::vector<Finding>& findings) {
    for (const Finding& f : findings) {
        if (f.severity == Severity::Error) return kExitFindings;
    }
    return kExitOk;
}

int ExitCodeOnAnyFinding(const std::vector<Finding>& findings) {
    return findings.empty() ? kExitOk : kExitFindings;
}

void WriteFindings(const std::vector<Finding>& findings, size_t leftOut, std::ostream& out) {
    const std::string leftOutNote =
        leftOut == 0 ? "" : " (" + std::to_string(leftOut) + " more left out by --kind/--ignore)";
    if (findings.empty()) {
        out << "No findings" << leftOutNote << ".\n";
        return;
    }
    size_t width = 1;
    for (const Finding& f : findings) width = std::max(width, Columns(Shown(f.entry)));
    width = std::min(width, kEntryColumnWidth);
    size_t counts[3] = {0, 0, 0};
    for (size_t i = 0; i < findings.size();) {
        size_t end = i;
        while (end < findings.size() && findings[end].code == findings[i].code) ++end;
        const char* severity = SeverityName(findings[i].severity);
        out << findings[i].code << ": " << end - i << " " << severity << (end - i == 1 ? "" : "s")
            << "\n";
        for (; i < end; ++i) {
            const Finding& f = findings[i];
            ++counts[static_cast<int>(f.severity)];
            out << "  " << FitColumn(f.entry.empty() ? "-" : Shown(f.entry), width) << "  "
                << Printable(f.message) << "\n";
        }
    }
    out << "\n" << findings.size() << (findings.size() == 1 ? " finding: " : " findings: ");
    const char* names[3] = {"error", "warning", "note"};
    for (int s = 0; s < 3; ++s) {
        out << (s == 0 ? "" : ", ") << counts[s] << " " << names[s] << (counts[s] == 1 ? "" : "s");
    }
    out << leftOutNote << ".\n";
}

void WriteFindingsJson(const std::vector<Finding>& findings, size_t leftOut, std::ostream& out) {
    nlohmann::ordered_json j;
    j["schema"] = 1;
    j["findings"] = nlohmann::ordered_json::array();
    size_t counts[3] = {0, 0, 0};
    for (const Finding& f : findings) {
        ++counts[static_cast<int>(f.severity)];
        j["findings"].push_back(
            {{"code", f.code},
             {"severity", SeverityName(f.severity)},
             {"entry", f.entry.empty() ? nlohmann::ordered_json(nullptr)
                                       : nlohmann::ordered_json(Utf8(f.entry))},
             {"entryBytes", f.entry.empty() ? nlohmann::ordered_json(nullptr)
                                            : nlohmann::ordered_json(HexBytes(f.entry))},
             {"message", Utf8Lenient(f.message)}});
    }
    j["counts"] = {{"error", counts[0]}, {"warning", counts[1]}, {"note", counts[2]}};
    j["leftOut"] = leftOut;
    out << EscapeJsonControls(
               j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
        << "\n";
}

}  // namespace vexaro
