// Parses the command line and runs the chosen command.
#pragma once

#include <ostream>

namespace vexaro {

// The whole tool: returns the process's exit code.
int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vexaro
