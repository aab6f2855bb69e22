// check: a dry run of the page's next showing on the registry in memory,
// plus checks of the stored data. Writes nothing.
#include "Commands.h"
#include "Findings.h"
#include "Session.h"

namespace vexaro {

int RunCheck(const Options& options, std::ostream& out, std::ostream& err) {
    Session session;
    std::string error;
    if (!session.Open(options, &error)) {
        err << "vexaro: " << error << "\n";
        return kExitError;
    }
    session.ShowPage();
    std::vector<Finding> findings = FindProblems(session.StoredBefore(), session.Snapshot());
    if (options.json) {
        WriteFindingsJson(findings, out);
    } else {
        WriteFindings(findings, out);
    }
    return findings.empty() ? kExitOk : kExitFindings;
}

}  // namespace vexaro
