// apply: sets entries on or off on the shown page, presses Apply (the
// restart question is answered No), and writes the registry file back when
// the page changed it (an INF file is only read: its lines of the deleted
// data are reported). The INI files are written by the page's Apply.
// Every name is checked before anything is clicked, so a wrong name leaves
// all files as they were.
#include "ApplyReport.h"
#include "Assignment.h"
#include "Commands.h"
#include "InfCommand.h"
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
        err << "vexaro: " << error << "\n";
        return kExitError;
    }
    Session session;
    if (!session.Open(options, &error)) {
        err << "vexaro: " << error << "\n";
        return kExitError;
    }
    session.ShowPage();
    PageSnapshot shown = session.Snapshot();

    std::vector<std::pair<ControlView, bool>> targets;
    for (const Assignment& a : assignments) {
        const ControlView* control = FindControl(shown, a.name, &error);
        if (control == nullptr) {
            err << "vexaro: " << error << "\n";
            return kExitError;
        }
        targets.emplace_back(*control, a.on);
    }
    for (const auto& [control, on] : targets) SetControl(session, control, on);
    session.Sheets().PressApply();

    bool saved = false;
    if (session.RegistryChanged() && options.infFile.empty()) {
        if (!session.SaveRegistry(&error)) {
            err << "vexaro: the INI files were written, but the registry file was not: " << error
                << "\n";
            return kExitError;
        }
        saved = true;
    }

    out << "Set:";
    for (const auto& [control, on] : targets) {
        out << " " << control.entry << (on ? "=on" : "=off");
    }
    out << "\n";
    const std::vector<IniChange> changes = FoldWrites(session.IniLog().Writes());
    WriteIniChanges(changes, out);
    if (options.infFile.empty()) {
        WriteRegistryOutcome(shown, saved, options.registryFile, out);
    } else {
        WriteInfOutcome(shown, options, out);
    }
    WritePostApply(vx::PendingAction.c_str(), session.Shell(), out);

    // The page's Apply goes on silently past a write that fails; the tool
    // does not.
    const std::vector<std::string> failed = FailedIniFiles(changes);
    if (!failed.empty()) {
        err << "vexaro: cannot write";
        for (size_t i = 0; i < failed.size(); ++i) err << (i == 0 ? " " : ", ") << failed[i];
        err << " (read-only file, missing folder or full disk?): the values marked NOT WRITTEN"
               " were not saved\n";
        return kExitError;
    }
    return kExitOk;
}

}  // namespace vexaro
