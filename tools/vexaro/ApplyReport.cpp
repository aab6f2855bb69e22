#include "ApplyReport.h"

#include <cctype>
#include <map>
#include <tuple>

#include "AnsiText.h"

namespace vexaro {

namespace {

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

}  // namespace

std::vector<IniChange> FoldWrites(const std::vector<IniWrite>& writes) {
    std::vector<IniChange> changes;
    std::map<std::tuple<std::string, std::string, std::string>, size_t> index;
    for (const IniWrite& w : writes) {
        auto id = std::make_tuple(Lower(w.file), Lower(w.section), Lower(w.key));
        auto it = index.find(id);
        if (it == index.end()) {
            index[id] = changes.size();
            changes.push_back(
                {w.file, w.section, w.key, w.existed, w.before, w.after, false, !w.written});
        } else {
            changes[it->second].after = w.after;
            changes[it->second].failed = changes[it->second].failed || !w.written;
        }
    }
    for (IniChange& c : changes) {
        IniWrite folded{c.file, c.section, c.key, c.existed, c.before, c.after, true};
        c.changed = Changes(folded);
    }
    return changes;
}

void WriteIniChanges(const std::vector<IniChange>& changes, std::ostream& out) {
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
            << " written again unchanged\n";
    }
}

std::vector<std::string> FailedIniFiles(const std::vector<IniChange>& changes) {
    std::vector<std::string> files;
    for (const IniChange& c : changes) {
        if (!c.failed) continue;
        bool listed = false;
        for (const std::string& f : files) listed = listed || Lower(f) == Lower(c.file);
        if (!listed) files.push_back(c.file);
    }
    return files;
}

void WriteRegistryOutcome(const PageSnapshot& page, RegistryOutcome outcome,
                          const std::string& file, std::ostream& out) {
    out << "Registry:\n";
    for (const Removal& r : page.removals) {
        out << "  removed " << Shown(r.name) << " ("
            << (r.reason == "evicted" ? "evicted by " + Shown(r.by)
                                      : "not admitted by " + Shown(r.by))
            << (r.associationDeleted ? "; with its Association key" : "") << ")\n";
    }
    switch (outcome) {
        case RegistryOutcome::kUnchanged:
            out << "  unchanged, " << Printable(file) << " not written\n";
            break;
        case RegistryOutcome::kWritten:
            out << "  " << Printable(file) << " written: only these deletions taken out\n";
            break;
        case RegistryOutcome::kLeftAlone:
            out << "  " << Printable(file)
                << " not written (--no-registry): the page deleted the above "
                << "from the registry; they are still in the file\n";
            break;
    }
}

void WritePostApply(const std::string& pendingAction, const vx::HostShellServices& shell,
                    std::ostream& out) {
    out << "After Apply: \"" << pendingAction << "\"\n";
    for (const vx::MessageBoxCall& q : shell.messageBoxes) {
        out << "  asks (\"" << Shown(q.caption) << "\", Yes/No): " << Shown(OneLine(q.text)) << "\n"
            << "  answered No: no restart (Yes would call ExitWindowsEx(EWX_REBOOT | "
               "EWX_FORCE))\n";
    }
    for (const vx::DisplayModeCall& call : shell.modeChanges) {
        const vx::DisplayModeRecord& m = call.mode;
        out << "  sets the current display mode again: ChangeDisplaySettingsA(" << m.dmBitsPerPel
            << " bits per pixel, " << m.dmPelsWidth << "x" << m.dmPelsHeight << ", "
            << m.dmDisplayFrequency << " Hz, flags 0)\n";
    }
    if (shell.messageBoxes.empty() && shell.modeChanges.empty()) {
        out << "  nothing further\n";
    }
}

}  // namespace vexaro
