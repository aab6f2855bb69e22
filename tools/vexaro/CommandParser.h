// Parsing the command line against the command and option tables.
#pragma once

#include <string>
#include <vector>

#include "CommandTables.h"

namespace vexaro {

// What the command line asks for, or the first thing wrong with it.
struct ParsedCommandLine {
    Options options;
    const CommandDef* command = nullptr;
    bool helpCommand = false;  // "vexaro help [COMMAND]"
    bool help = false;         // --help or -h
    bool version = false;
    std::vector<std::string> operands;
    std::string error;                  // empty when all is well
    std::string see = "vexaro --help";  // where the error message points
    bool asksForJson = false;  // --json stands among the options, however the rest turned out
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

// The names "vexaro unknown-word" is compared with.
std::vector<std::string> CommandWords();

// A usage error ends with a suggestion, or else with where to read more.
std::string UsageError(const std::string& message, const std::string& see);

}  // namespace vexaro
