// What "check" reports: what the page would delete on its next showing and
// what in the stored data makes it behave other than the data's author
// probably meant.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Snapshot.h"
#include "StoredData.h"

namespace vexaro {

struct Finding {
    std::string code;   // short word, see README
    std::string entry;  // Layout value name, or empty for the whole page
    std::string message;
};

// stored: the data before the page was shown; page: what the showing did.
std::vector<Finding> FindProblems(const StoredLayout& stored, const PageSnapshot& page);

void WriteFindings(const std::vector<Finding>& findings, std::ostream& out);
void WriteFindingsJson(const std::vector<Finding>& findings, std::ostream& out);

}  // namespace vexaro
