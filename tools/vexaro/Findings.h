// What "check" reports: what the page would delete on its next showing and
// what in the stored data makes it behave other than the data's author
// probably meant. Every finding is of one kind, and every kind has one
// severity.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Snapshot.h"
#include "StoredData.h"

namespace vexaro {

enum class Severity {
    Error,    // the page deletes data, or a control does not work as a control
    Warning,  // the page does other than the data's author probably meant
    Note,     // a consequence of another finding, or of no harm by itself
};

const char* SeverityName(Severity severity);  // "error", "warning", "note"

struct FindingKind {
    const char* code;
    Severity severity;
    const char* summary;
};

// Every kind, in the order in which check groups its findings.
const std::vector<FindingKind>& FindingKinds();

struct Finding {
    std::string code;   // a FindingKinds code
    std::string entry;  // Layout value name, or empty for the whole page
    std::string message;
    Severity severity = Severity::Error;
};

// stored: the data before the page was shown; page: what the showing did.
std::vector<Finding> FindProblems(const StoredLayout& stored, const PageSnapshot& page);

// The words of --kind and --ignore (codes or severities, several joined by
// commas) checked against the kinds; false with a one-line reason.
bool CheckKindWords(const std::vector<std::string>& words, std::string* error);

// Keeps the findings that --kind selects (all when it is empty) and
// --ignore does not drop, grouped: errors first, then by kind in the
// order of FindingKinds, each group in the order found. Returns how many
// were left out.
size_t SelectFindings(const std::vector<std::string>& kinds,
                      const std::vector<std::string>& ignored, std::vector<Finding>* findings);

// 1 when an error is among the findings, else 0.
int ExitCodeOnErrors(const std::vector<Finding>& findings);
// 1 when there is any finding at all (--strict), else 0.
int ExitCodeOnAnyFinding(const std::vector<Finding>& findings);

// leftOut: how many findings the filters dropped.
void WriteFindings(const std::vector<Finding>& findings, size_t leftOut, std::ostream& out);
void WriteFindingsJson(const std::vector<Finding>& findings, size_t leftOut, std::ostream& out);

}  // namespace vexaro
