// Lines of the input file (registry or INF) that Windows passes over, or
// reads otherwise than written: the tool reads them the same way and says
// so. preview, apply and inf print them on stderr and go on; with --strict
// the first one refuses the run. check lists them as findings.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vexaro {

// Each warning is "FILE:LINE: reason". False, with the first warning as
// the error, when strict; else prints them as "vexaro: warning: ...".
bool ReportInputWarnings(const std::vector<std::string>& warnings, bool strict, std::ostream& err,
                         std::string* error);

}  // namespace vexaro
