// The whole tool: the command line parsed, then help, the version or the
// chosen command. The tables are in CommandTables, the parsing in
// CommandParser, the help texts in HelpText, the suggestions for mistyped
// words in Suggestion.
#pragma once

#include <ostream>

namespace vexaro {

// The tool's version, as --version prints it after the name.
extern const char* const kVersion;

// Returns the process's exit code.
int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vexaro
