#include "ApplyReport.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <tuple>

#include "AnsiText.h"
#include "Files.h"
#include "NameTable.h"
#include "Options.h"

namespace vexaro {

namespace {

using Json = nlohmann::ordered_json;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The question as one line: its line feed shown as a blank.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

constexpr const char* kRestartCall = "ExitWindowsEx(EWX_REBOOT | EWX_FORCE)";

void WriteIniChanges(const std::vector<IniChange>& changes, bool dryRun, std::ostream& out) {
    int unchanged = 0;
    out << "INI files:\n";
    for (const IniChange& c : changes) {
        if (!c.changed && !c.failed) {
            ++unchanged;
            continue;
        }
        out << "  " << Shown(c.file) << " [" << Shown(c.section) << "] " << Shown(c.key) << ": "
            << (c.existed ? std::to_string(c.before) : std::string("(none)")) << " -> "
            << Shown(c.after) << (c.failed ? " NOT WRITTEN" : "") << "\n";
    }
    if (unchanged == static_cast<int>(changes.size())) out << "  no value changed\n";
    if (unchanged > 0) {
        out << "  " << unchanged << (unchanged == 1 ? " value" : " values")
            << (dryRun ? " would be written again unchanged\n" : " written again unchanged\n");
    }
}

// Line numbers as "12, 30-36".
std::string LineList(const std::vector<int>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size();) {
        size_t j = i;
        while (j + 1 < lines.size() && lines[j + 1] == lines[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(lines[i]);
        if (j > i) text += "-" + std::to_string(lines[j]);
        i = j + 1;
    }
    return text;
}

// The INF lines of the removal at the index; empty when not INF input.
const std::vector<int>& InfLinesAt(const RegistryOutcome& registry, size_t index) {
    static const std::vector<int> kNone;
    return index < registry.infLines.size() ? registry.infLines[index] : kNone;
}

void WriteRegistryOutcome(const ApplyReport& r, std::ostream& out) {
    out << "Registry:\n";
    const std::string file = Printable(InputName(r.registry.file));
    for (size_t i = 0; i < r.page->removals.size(); ++i) {
        const Removal& rm = r.page->removals[i];
        out << "  removed " << Shown(rm.name) << " ("
            << (rm.reason == "evicted" ? "evicted by " + Shown(rm.by)
                                       : "not admitted by " + Shown(rm.by))
            << (rm.associationDeleted ? "; with its Association key" : "") << ")";
        const std::vector<int>& lines = InfLinesAt(r.registry, i);
        if (!lines.empty()) {
            out << ": " << file << (lines.size() == 1 ? " line " : " lines ") << LineList(lines);
        }
        out << "\n";
    }
    switch (r.registry.state) {
        case RegistryOutcome::State::Unchanged:
            out << "  unchanged, " << file << " not written\n";
            break;
        case RegistryOutcome::State::Written:
            out << "  " << file << " written\n";
            break;
        case RegistryOutcome::State::Failed:
            out << "  " << file << " NOT WRITTEN: " << Printable(r.registry.error) << "\n";
            break;
        case RegistryOutcome::State::WouldWrite:
            if (r.registry.file == kStandardStream) {
                out << "  read from standard input, which cannot be written back: a real run "
                       "needs --no-registry\n";
            } else {
                out << "  " << file << " would be written\n";
            }
            break;
        case RegistryOutcome::State::LeftAlone:
            out << "  "
                << (r.registry.file == kStandardStream ? "read from standard input, " : file + " ")
                << "not written back (--no-registry): the removals are not saved\n";
            break;
        case RegistryOutcome::State::InfReadOnly:
            out << "  " << file
                << " is an INF file, which is never written: take out the lines listed to "
                   "save the removals\n";
            break;
    }
}

void WritePostApply(const ApplyReport& r, std::ostream& out) {
    out << "After Apply: \"" << r.pendingAction << "\"\n";
    for (const vx::MessageBoxCall& q : r.shell->messageBoxes) {
        out << "  asks (\"" << Shown(q.caption) << "\", Yes/No): " << Shown(OneLine(q.text)) << "\n"
            << "  answered No: no restart (Yes would call " << kRestartCall << ")\n";
    }
    for (const vx::DisplayModeCall& call : r.shell->modeChanges) {
        const vx::DisplayModeRecord& m = call.mode;
        out << "  sets the current display mode again: ChangeDisplaySettingsA(" << m.dmBitsPerPel
            << " bits per pixel, " << m.dmPelsWidth << "x" << m.dmPelsHeight << ", "
            << m.dmDisplayFrequency << " Hz, flags " << call.flags << ")\n";
    }
    if (r.shell->messageBoxes.empty() && r.shell->modeChanges.empty()) {
        out << "  nothing further\n";
    }
}

const char* StateWord(RegistryOutcome::State state) {
    using State = RegistryOutcome::State;
    static const Named<State> kWords[] = {
        {State::Unchanged, "unchanged"},  {State::Written, "written"},
        {State::Failed, "failed"},        {State::WouldWrite, "would-write"},
        {State::LeftAlone, "left-alone"}, {State::InfReadOnly, "inf-read-only"},
    };
    return NameOf(state, kWords, "unchanged");
}

}  // namespace

std::vector<IniChange> FoldWrites(const std::vector<IniWrite>& writes) {
    std::vector<IniChange> changes;
    std::map<std::tuple<std::string, std::string, std::string>, size_t> index;
    for (const IniWrite& w : writes) {
        auto id = std::make_tuple(Lower(w.file), Lower(w.section), Lower(w.key));
        auto it = index.find(id);
        if (it == index.end()) {
            index[id] = changes.size();
            changes.push_back({w.file, w.section, w.key, w.existed, w.before, w.after, false,
                               !w.written, w.cause});
        } else {
            IniChange& c = changes[it->second];
            c.after = w.after;
            if (!w.written && !c.failed) c.cause = w.cause;
            c.failed = c.failed || !w.written;
        }
    }
    for (IniChange& c : changes) {
        IniWrite folded{c.file, c.section, c.key, c.existed, c.before, c.after, true, ""};
        c.changed = Changes(folded);
    }
    return changes;
}

std::string IniFailures(const std::vector<IniChange>& changes) {
    std::vector<std::string> files;
    std::string text;
    for (const IniChange& c : changes) {
        if (!c.failed) continue;
        bool listed = false;
        for (const std::string& f : files) listed = listed || Lower(f) == Lower(c.file);
        if (listed) continue;
        files.push_back(c.file);
        text += (text.empty() ? "" : "; ") + std::string("cannot write ") + c.file + ": " + c.cause;
    }
    return text;
}

void WriteReport(const ApplyReport& r, std::ostream& out) {
    if (r.dryRun) out << "Dry run: no file written.\n";
    out << (r.dryRun ? "Would set:" : "Set:");
    for (const auto& [entry, on] : r.settings) out << " " << Shown(entry) << (on ? "=on" : "=off");
    out << "\n";
    WriteIniChanges(r.changes, r.dryRun, out);
    WriteRegistryOutcome(r, out);
    WritePostApply(r, out);
}

void WriteReportJson(const ApplyReport& r, std::ostream& out) {
    Json j;
    j["schema"] = 1;
    j["dryRun"] = r.dryRun;
    j["set"] = Json::array();
    for (const auto& [entry, on] : r.settings)
        j["set"].push_back({{"entry", Utf8(entry)}, {"entryBytes", HexBytes(entry)}, {"on", on}});
    j["ini"] = Json::array();
    for (const IniChange& c : r.changes) {
        j["ini"].push_back({{"file", Utf8(c.file)},
                            {"section", Utf8(c.section)},
                            {"key", Utf8(c.key)},
                            {"before", c.existed ? Json(c.before) : Json(nullptr)},
                            {"after", std::strtol(c.after.c_str(), nullptr, 10)},
                            {"changed", c.changed},
                            {"written", !r.dryRun && !c.failed},
                            {"error", c.failed ? Json(Utf8Lenient(c.cause)) : Json(nullptr)}});
    }
    Json removed = Json::array();
    for (size_t i = 0; i < r.page->removals.size(); ++i) {
        const Removal& rm = r.page->removals[i];
        removed.push_back({{"name", Utf8(rm.name)},
                           {"nameBytes", HexBytes(rm.name)},
                           {"reason", rm.reason},
                           {"by", Utf8(rm.by)},
                           {"byBytes", HexBytes(rm.by)},
                           {"associationDeleted", rm.associationDeleted}});
        if (r.registry.inf) removed.back()["infLines"] = InfLinesAt(r.registry, i);
    }
    j["registry"] = {
        {"file", Utf8Lenient(r.registry.file)},
        {"format", r.registry.inf ? "inf" : "regedit4"},
        {"removed", removed},
        {"state", StateWord(r.registry.state)},
        {"error", r.registry.error.empty() ? Json(nullptr) : Json(Utf8Lenient(r.registry.error))}};
    Json questions = Json::array(), modes = Json::array();
    for (const vx::MessageBoxCall& q : r.shell->messageBoxes) {
        questions.push_back({{"caption", Utf8(q.caption)},
                             {"text", Utf8(q.text)},
                             {"answer", "No"},
                             {"yesWouldCall", kRestartCall}});
    }
    for (const vx::DisplayModeCall& call : r.shell->modeChanges) {
        const vx::DisplayModeRecord& m = call.mode;
        modes.push_back({{"bitsPerPel", m.dmBitsPerPel},
                         {"width", m.dmPelsWidth},
                         {"height", m.dmPelsHeight},
                         {"frequency", m.dmDisplayFrequency},
                         {"flags", call.flags}});
    }
    j["afterApply"] = {
        {"action", Utf8(r.pendingAction)}, {"questions", questions}, {"modeChanges", modes}};
    j["error"] = r.error.empty() ? Json(nullptr) : Json({{"message", Utf8Lenient(r.error)}});
    out << EscapeJsonControls(j.dump(2, ' ', false, Json::error_handler_t::replace)) << "\n";
}

}  // namespace vexaro
