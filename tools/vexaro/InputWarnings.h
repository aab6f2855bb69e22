// Lines of the input file (registry or INF) that Windows passes over, or
// reads otherwise than written: the tool reads them the same way and says
// so. preview, apply and inf print them on stderr and go on; with --strict
// the first one refuses the run. check lists them as findings.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Options.h"

namespace vexaro {

// Each warning is "FILE:LINE: reason".

// Prints them as "vexaro: warning: ...".
void PrintInputWarnings(const std::vector<std::string>& warnings, std::ostream& err);
// False, with the first warning as the error, when there is one.
bool RefuseInputWarnings(const std::vector<std::string>& warnings, std::string* error);
// Refuses them under --strict, else prints them.
bool HandleInputWarnings(const std::vector<std::string>& warnings, const Options& options,
                         std::ostream& err, std::string* error);

}  // namespace vexaro
