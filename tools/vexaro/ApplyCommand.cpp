// apply: sets entries on or off on the shown page, presses Apply (the
// restart question is answered No), and writes the registry file back when
// the page changed it. The INI files are written by the page's Apply.
// Every name, every INI file name and the registry file are checked before
// anything is clicked, so a fault leaves all files as they were.
#include "AnsiText.h"
#include "ApplyReport.h"
#include "Assignment.h"
#include "Commands.h"
#include "IniFiles.h"
#include "Session.h"
#include "layout/PendingAction.h"
#include "platform/WinConstants.h"

namespace vexaro {

namespace {

// Brings one control to the asked state the way a user would: a click
// toggles a check box and selects a radio button. A radio button cannot be
// cleared by a click; its check is cleared directly and the page still
// hears the click.
void SetControl(Session& session, const ControlView& control, bool on) {
    const vx::HostWindow* w = session.Windows().Child(session.Sheets().PageWindow(), control.id);
    if (w == nullptr || (w->check != 0) == on) return;
    if (control.kind == "Check" || on) {
        session.Sheets().Click(control.id);
        return;
    }
    session.Windows().Send(w->handle, vx::kBmSetCheck, 0, 0);
    session.Sheets().SendToPage(vx::kWmCommand, static_cast<uintptr_t>(control.id),
                                reinterpret_cast<intptr_t>(w->handle));
}

}  // namespace

int RunApply(const Options& options, std::ostream& out, std::ostream& err) {
    std::vector<Assignment> assignments;
    std::string error;
    if (!ParseAssignments(options.assignments, &assignments, &error)) {
        err << "vexaro: " << Printable(error) << "\n";
        return kExitError;
    }
    // The registry file and then the INI files are locked before they are
    // read, and stay locked until this run has written them.
    Session session;
    if (!session.Open(options, &error, true) || !session.LockIniFiles(&error)) {
        err << "vexaro: " << Printable(error) << "\n";
        return kExitError;
    }
    session.ShowPage();
    PageSnapshot shown = session.Snapshot();

    std::vector<std::pair<ControlView, bool>> targets;
    for (const Assignment& a : assignments) {
        const ControlView* control = FindControl(shown, a.name, &error);
        if (control == nullptr) {
            err << "vexaro: " << Shown(error) << "\n";
            return kExitError;
        }
        targets.emplace_back(*control, a.on);
    }
    // Apply writes every entry on the page: a file that cannot be found is
    // an error before anything is written.
    for (const IniFileUse& use :
         IniFileUsesOnPage(session.StoredBefore(), shown, session.Folders())) {
        if (use.verdict == vx::ProfilePathVerdict::kResolved) continue;
        err << "vexaro: " << Shown(RefusalText(use)) << "\n";
        return kExitError;
    }
    // So is a registry file that cannot take what the page deleted.
    std::string registryBytes;
    const bool writeRegistry = session.RegistryChanged() && !options.noRegistry;
    if (writeRegistry) {
        if (session.RegistryReadOnly() && !options.force) {
            err << "vexaro: " << Printable(options.registryFile)
                << " is read-only and the page deleted data from it: nothing written (--force "
                   "writes it, --no-registry leaves it)\n";
            return kExitError;
        }
        if (!session.EditedRegistry(&registryBytes, &error)) {
            err << "vexaro: " << Printable(error) << ": nothing written\n";
            return kExitError;
        }
    }

    for (const auto& [control, on] : targets) SetControl(session, control, on);
    session.Sheets().PressApply();

    RegistryOutcome outcome = RegistryOutcome::kUnchanged;
    if (writeRegistry) {
        // Apply itself deletes nothing; should it have, the text is made again.
        if (!session.EditedRegistry(&registryBytes, &error) ||
            !session.SaveRegistry(registryBytes, &error)) {
            err << "vexaro: the INI files were written, but the registry file was not: "
                << Printable(error) << "\n";
            return kExitError;
        }
        outcome = RegistryOutcome::kWritten;
    } else if (session.RegistryChanged()) {
        outcome = RegistryOutcome::kLeftAlone;
    }

    out << "Set:";
    for (const auto& [control, on] : targets) {
        out << " " << Shown(control.entry) << (on ? "=on" : "=off");
    }
    out << "\n";
    const std::vector<IniChange> changes = FoldWrites(session.IniLog().Writes());
    WriteIniChanges(changes, out);
    WriteRegistryOutcome(shown, outcome, options.registryFile, out);
    WritePostApply(vx::PendingAction.c_str(), session.Shell(), out);

    // The page's Apply goes on silently past a write that fails; the tool
    // does not.
    const std::vector<std::string> failed = FailedIniFiles(changes);
    if (!failed.empty()) {
        err << "vexaro: cannot write";
        for (size_t i = 0; i < failed.size(); ++i) {
            err << (i == 0 ? " " : ", ") << Shown(failed[i]);
        }
        err << " (read-only file, missing folder or full disk?): the values marked NOT WRITTEN"
               " were not saved\n";
        return kExitError;
    }
    return kExitOk;
}

}  // namespace vexaro
