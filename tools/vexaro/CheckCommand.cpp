// check: a dry run of the page's next showing on the registry in memory,
// plus checks of the stored data. Writes nothing.
#include <algorithm>
#include <set>

#include "Commands.h"
#include "ErrorReport.h"
#include "Findings.h"
#include "IniFiles.h"
#include "Session.h"

namespace vexaro {

int RunCheck(const Options& options, std::ostream& out, std::ostream& err) {
    const ErrorReport errors = ErrorReport::For(options, out, err);
    std::string error;
    if (!CheckKindWords(options.kinds, &error) || !CheckKindWords(options.ignored, &error)) {
        if (error.back() != '?') error += " (see 'vexaro help check')";
        return errors.Fail(error);
    }
    Session session;
    if (!session.Open(options, &error)) return errors.Fail(error);
    session.ShowPage();
    const PageSnapshot page = session.Snapshot();
    std::vector<Finding> findings;
    for (const std::string& warning : session.InputWarnings()) {
        findings.push_back({"input-line", "", warning, Severity::Warning});
    }
    for (const Finding& f : FindProblems(session.StoredBefore(), page)) findings.push_back(f);
    // The INI files of every entry that the showing leaves in the registry.
    StoredLayout kept = session.StoredBefore();
    std::set<std::string> removed;
    for (const Removal& r : page.removals) removed.insert(r.name);
    kept.entries.erase(std::remove_if(kept.entries.begin(), kept.entries.end(),
                                      [&](const StoredEntry& e) { return removed.count(e.name); }),
                       kept.entries.end());
    if (!page.driverKeyPath.empty()) {
        const InputFile input = session.Input();
        for (const Finding& f :
             IniFileFindings(IniFileUses(kept, session.Folders(), input), input)) {
            findings.push_back(f);
        }
    }
    const size_t leftOut = SelectFindings(options.kinds, options.ignored, &findings);
    if (options.json) {
        WriteFindingsJson(findings, leftOut, out);
    } else {
        WriteFindings(findings, leftOut, out);
    }
    return options.strict ? ExitCodeOnAnyFinding(findings) : ExitCodeOnErrors(findings);
}

}  // namespace vexaro
