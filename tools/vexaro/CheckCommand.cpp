// check: a dry run of the page's next showing on the registry in memory,
// plus checks of the stored data. Writes nothing.
#include "Commands.h"
#include "ErrorReport.h"
#include "Findings.h"
#include "Session.h"

namespace vexaro {

int RunCheck(const Options& options, std::ostream& out, std::ostream& err) {
    std::string error;
    if (!CheckKindWords(options.kinds, &error) || !CheckKindWords(options.ignored, &error)) {
        if (error.back() != '?') error += " (see 'vexaro help check')";
        return ReportError(error, options.json, out, err);
    }
    Session session;
    if (!session.Open(options, &error)) return ReportError(error, options.json, out, err);
    session.ShowPage();
    std::vector<Finding> findings = FindProblems(session.StoredBefore(), session.Snapshot());
    const size_t leftOut = SelectFindings(options.kinds, options.ignored, &findings);
    if (options.json) {
        WriteFindingsJson(findings, leftOut, out);
    } else {
        WriteFindings(findings, leftOut, out);
    }
    return FindingsExitCode(findings, options.strict);
}

}  // namespace vexaro
