// The commands. Each returns the exit code; a failure is reported
// as one line on err and nothing is written then.
#pragma once

#include <ostream>

#include "Options.h"

namespace vexaro {

int RunPreview(const Options& options, std::ostream& out, std::ostream& err);
int RunCheck(const Options& options, std::ostream& out, std::ostream& err);
int RunApply(const Options& options, std::ostream& out, std::ostream& err);
int RunInf(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace vexaro
