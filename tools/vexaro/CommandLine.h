// The command line: the commands and options the tool knows, parsing,
// help and version texts, and running the chosen command.
//
// Both tables below drive everything: parsing, the help texts and the
// checks of the man page, the completion script and the README. Adding an
// option is one row of the option table; adding a command is one row of
// the command table plus its bit in the rows of the options it takes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Options.h"

namespace vexaro {

// One bit per command, to say which commands take an option.
enum CommandBit : unsigned {
    kPreviewBit = 1u << 0,
    kCheckBit = 1u << 1,
    kApplyBit = 1u << 2,
    kInfBit = 1u << 3,
    kPageCommands = kPreviewBit | kCheckBit | kApplyBit,  // the commands that show the page
};

struct CommandDef {
    const char* name;
    Command command;
    unsigned bit;
    const char* operands;  // in the usage line, "" for none
    bool needsOperands;    // at least one operand is required
    const char* summary;   // one line for the overview
    const char* description;
    int (*run)(const Options& options, std::ostream& out, std::ostream& err);
};

struct OptionDef {
    const char* name;     // "--registry"
    const char* value;    // what the option takes ("FILE"), or nullptr for a flag
    unsigned commands;    // the commands that take it
    unsigned requiredBy;  // the commands that cannot go without it
    bool repeatable;      // may be given more than once (values add up)
    void (*set)(Options& options, const std::string& value);
    const char* help;
    // A required option that this one may be given in place of; the two
    // exclude each other.
    const char* insteadOf = nullptr;
    // An option without which this one is refused by a command that takes
    // both.
    const char* needs = nullptr;
    // Where the value must have a form: false refuses it, with the form
    // named in the message ("--max-input-size takes ...").
    bool (*valid)(const std::string& value) = nullptr;
    const char* form = nullptr;
};

const std::vector<CommandDef>& CommandTable();
const std::vector<OptionDef>& OptionTable();

// The tool's version, as --version prints it after the name.
extern const char* const kVersion;

// The help of the whole tool (what --help prints), and of one command.
std::string ToolHelp();
std::string CommandHelp(const CommandDef& command);

// The candidate closest to a mistyped word, or "" when none is close
// enough to be what was meant.
std::string Suggest(const std::string& word, const std::vector<std::string>& candidates);

// The whole tool: returns the process's exit code.
int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vexaro
