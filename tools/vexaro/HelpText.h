// The help texts, made from the command and option tables, and the names
// that both the help and the parser's messages use.
#pragma once

#include <string>

#include "CommandTables.h"

namespace vexaro {

// The help of the whole tool (what --help prints), and of one command.
std::string ToolHelp();
std::string CommandHelp(const CommandDef& command);

// "--registry FILE", or "--json" for a flag.
std::string OptionLabel(const OptionDef& option);
// "preview, check" for the commands whose bits are set.
std::string CommandNames(unsigned bits);
// "preview, check, apply or inf".
std::string CommandChoice();

}  // namespace vexaro
