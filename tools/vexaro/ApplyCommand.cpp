// apply: sets entries on or off on the shown page, presses Apply (the
// restart question is answered No), and writes the registry file back when
// the page changed it (an INF file is only read: the lines of the deleted
// data are reported). The INI files are written by the page's Apply.
// Every setting, every INI file name and the registry file are checked
// before anything is clicked, so a wrong name, a contradiction or a file
// that cannot be written leaves all files as they were.
#include <strings.h>

#include <map>

#include "AnsiText.h"
#include "ApplyReport.h"
#include "Assignment.h"
#include "Commands.h"
#include "ErrorReport.h"
#include "InfCommand.h"
#include "IniFiles.h"
#include "InputWarnings.h"
#include "Session.h"
#include "layout/PendingAction.h"
#include "platform/host/ProfileCache.h"

namespace vexaro {

namespace {

struct Target {
    ControlView control;
    EntryView entry;
    bool on = false;
};

bool IsRadio(const Target& t) {
    return t.control.kind == "Radio";
}

// The Association values without which the page's Apply writes nothing.
const char* const kBindingValues[] = {"INIFile", "Section", "KeyString", "AndMask", "OrMask"};

// Why setting the entry could change no INI value; empty when it can.
std::string WithoutIniValue(const StoredLayout& stored, const std::string& name) {
    const StoredEntry* e = stored.Find(name);
    if (e == nullptr) return "";
    const std::string what = name + " has no INI value behind it: ";
    if (!e->associationKey) return what + "it has no Association key";
    std::string missing;
    for (const char* value : kBindingValues) {
        if (e->association.count(value) == 0)
            missing += (missing.empty() ? "" : ", ") + std::string(value);
    }
    return missing.empty() ? "" : what + "its Association key lacks " + missing;
}

// The radio buttons of the entry's group on the page, but the entry's own.
std::string GroupSiblings(const PageSnapshot& page, const Target& t) {
    std::string names;
    for (const ControlView& c : page.controls) {
        if (c.kind != "Radio" || c.position == t.control.position || c.position < 0) continue;
        if (page.entries[c.position].group != t.entry.group) continue;
        names += (names.empty() ? "" : ", ") + c.entry;
    }
    return names;
}

// A radio button goes off only when another of its group goes on, and only
// one of a group can be on.
std::string RadioConflict(const PageSnapshot& page, const std::vector<Target>& targets) {
    for (size_t i = 0; i < targets.size(); ++i) {
        for (size_t j = i + 1; j < targets.size(); ++j) {
            const Target &a = targets[i], &b = targets[j];
            if (IsRadio(a) && IsRadio(b) && a.on && b.on && a.entry.group == b.entry.group) {
                return a.entry.name + " and " + b.entry.name + " are radio buttons of group " +
                       std::to_string(a.entry.group) + ": only one of them can be on";
            }
        }
    }
    for (const Target& t : targets) {
        if (!IsRadio(t) || t.on || !t.control.checked) continue;
        bool replaced = false;
        for (const Target& other : targets) {
            replaced =
                replaced || (IsRadio(other) && other.on && other.entry.group == t.entry.group);
        }
        if (replaced) continue;
        const std::string siblings = GroupSiblings(page, t);
        return t.entry.name + " is a radio button: it goes off when another of group " +
               std::to_string(t.entry.group) + " is switched on" +
               (siblings.empty() ? " (it has none)" : " (" + siblings + ")");
    }
    return "";
}

// Brings one control to the asked state the way a user would: a click
// toggles a check box and selects a radio button. A radio button asked
// off goes off by the click on the one asked on.
void SetControl(Session& session, const Target& t) {
    const vx::HostWindow* w = session.Windows().Child(session.Sheets().PageWindow(), t.control.id);
    if (w == nullptr || (w->check != 0) == t.on) return;
    if (IsRadio(t) && !t.on) return;
    session.Sheets().Click(t.control.id);
}

// The first setting that the page does not show after the clicks.
std::string NotTaken(Session& session, const std::vector<Target>& targets) {
    for (const Target& t : targets) {
        const vx::HostWindow* w =
            session.Windows().Child(session.Sheets().PageWindow(), t.control.id);
        if (w != nullptr && (w->check != 0) == t.on) continue;
        return "the page does not take " + t.entry.name + (t.on ? "=on" : "=off") +
               " together with the other settings";
    }
    return "";
}

// Whether the registry file gets what the page deleted from it.
bool WritesRegistry(Session& session, const Options& options) {
    return session.RegistryChanged() && !options.dryRun && !options.noRegistry &&
           options.infFile.empty() && options.registryFile != kStandardStream;
}

RegistryOutcome SaveRegistry(Session& session, const Options& options) {
    RegistryOutcome r;
    r.inf = !options.infFile.empty();
    r.file = r.inf ? options.infFile : options.registryFile;
    if (!session.RegistryChanged()) return r;
    if (r.inf) {
        r.state = RegistryOutcome::State::InfReadOnly;
    } else if (options.dryRun) {
        r.state = RegistryOutcome::State::WouldWrite;
    } else if (options.noRegistry) {
        r.state = RegistryOutcome::State::LeftAlone;
    } else {
        // Only what the page deleted is taken out of the file's own text;
        // Apply itself deletes nothing, but should it have, the text is
        // made again.
        std::string bytes;
        const bool saved =
            session.EditedRegistry(&bytes, &r.error) && session.SaveRegistry(bytes, &r.error);
        r.state = saved ? RegistryOutcome::State::Written : RegistryOutcome::State::Failed;
    }
    return r;
}

}  // namespace

int RunApply(const Options& options, std::ostream& out, std::ostream& err) {
    const ErrorReport errors = ErrorReport::For(options, out, err);
    std::vector<Assignment> assignments;
    std::string error;
    if (!ParseAssignments(options.assignments, &assignments, &error)) return errors.Fail(error);
    // The registry file and then the INI files are locked before they are
    // read, and stay locked until this run has written them.
    Session session;
    if (!session.OpenForWriting(options, &error) ||
        !HandleInputWarnings(session.InputWarnings(), options, err, &error) ||
        !session.LockIniFiles(&error)) {
        return errors.Fail(error);
    }
    session.ShowPage();
    const PageSnapshot shown = session.Snapshot();

    std::vector<Target> targets;
    const ControlFinder finder(shown);
    for (const Assignment& a : assignments) {
        const ControlView* control = finder.Find(a.name, &error);
        if (control == nullptr) return errors.Fail(Shown(error));
        Target t{*control, shown.entries[control->position], a.on};
        std::string without = WithoutIniValue(session.StoredBefore(), t.entry.name);
        if (!without.empty()) return errors.Fail(Shown(without));
        targets.push_back(t);
    }
    std::string conflict = RadioConflict(shown, targets);
    if (!conflict.empty()) return errors.Fail(Shown(conflict));
    // Apply writes every entry on the page: a file that cannot be found, or
    // that must not be written, is an error before anything is written.
    const InputFile input = session.Input();
    for (const IniFileUse& use :
         IniFileUsesOnPage(session.StoredBefore(), shown, session.Folders(), input)) {
        const std::string refusal = WriteRefusal(use, input);
        if (!refusal.empty()) return errors.Fail(Shown(refusal));
    }
    // So is a registry file that cannot take what the page deleted.
    if (WritesRegistry(session, options)) {
        if (session.RegistryReadOnly() && !options.force) {
            return errors.Fail(options.registryFile +
                               " is read-only and the page deleted data from it: nothing written "
                               "(--force writes it, --no-registry leaves it)");
        }
        std::string bytes;
        if (!session.EditedRegistry(&bytes, &error))
            return errors.Fail(error + ": nothing written");
    }
    if (options.infFile.empty() && options.registryFile == kStandardStream &&
        session.RegistryChanged() && !options.noRegistry && !options.dryRun) {
        return errors.Fail(
            "showing the page deletes data from the registry, which comes from standard input "
            "and cannot be written back (give --no-registry to apply without saving the "
            "deletions)");
    }

    for (const Target& t : targets) SetControl(session, t);
    conflict = NotTaken(session, targets);
    if (!conflict.empty()) return errors.Fail(Shown(conflict));
    if (options.dryRun) session.IniLog().StartDryRun();
    session.Sheets().PressApply();
    // The host keeps INI writes until a write-back: the tool's own comes
    // here, while it still holds its files.
    vx::WriteBackProfileFiles();
    const std::map<std::string, std::string> unwritten = vx::TakeUnwrittenProfileFileCauses();

    ApplyReport report;
    report.dryRun = options.dryRun;
    for (const Target& t : targets) report.settings.emplace_back(t.entry.name, t.on);
    report.changes = FoldWrites(session.IniLog().Writes());
    // A file whose write-back failed keeps what it had: a value written
    // again unchanged is there, a changed one is not.
    for (IniChange& c : report.changes) {
        for (const auto& [file, cause] : unwritten) {
            if (!c.changed || strcasecmp(file.c_str(), c.file.c_str()) != 0) continue;
            c.failed = true;
            if (c.cause.empty()) c.cause = cause;
        }
    }
    report.page = &shown;
    report.registry = SaveRegistry(session, options);
    if (report.registry.inf) {
        for (const Removal& r : shown.removals) {
            report.registry.infLines.push_back(InfLinesOf(session.InfEntries(), r));
        }
    }
    report.pendingAction = vx::PendingAction.c_str();
    report.shell = &session.Shell();

    // The page's Apply goes on silently past a write that fails; the tool
    // does not, and still lists what it did write.
    const std::string iniFailures = IniFailures(report.changes);
    if (!iniFailures.empty()) {
        report.error = iniFailures + " (the values marked NOT WRITTEN were not saved)";
    }
    if (report.registry.state == RegistryOutcome::State::Failed) {
        report.error += iniFailures.empty()
                            ? "the INI files were written, but the registry file was not: "
                            : "; the registry file was not written either: ";
        report.error += report.registry.error;
    }
    if (options.json) {
        WriteReportJson(report, out);
    } else {
        WriteReport(report, out);
    }
    if (!report.error.empty()) {
        err << "vexaro: " << Printable(report.error) << "\n";
        return kExitError;
    }
    return kExitOk;
}

}  // namespace vexaro
