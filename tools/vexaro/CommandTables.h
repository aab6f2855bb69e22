// The commands and options the tool knows. Both tables drive everything:
// parsing, the help texts and the checks of the man page, the completion
// script and the README. Adding an option is one name in OptionId and one
// row of the option table; adding a command is one row of the command
// table plus its bit in the rows of the options it takes.
//
// The relations between options (one given in place of another, one that
// needs another) name their partner by OptionId, so a wrong name does not
// compile, and the table's order is checked against OptionId when it is
// compiled.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The options, in the order of the option table (and of the help).
enum class OptionId : unsigned {
    Registry,
    Inf,
    Section,
    Windir,
    Drive,
    MaxInputSize,
    FailSafe,
    Json,
    Svg,
    Png,
    Kind,
    Ignore,
    Strict,
    DryRun,
    NoRegistry,
    NoWait,
    Force,
    None,  // no option: the end of the table, or no relation
};

constexpr size_t kOptionCount = static_cast<size_t>(OptionId::None);

// One option. Its value lands in exactly one member of Options: a flag sets
// a bool, a text replaces a string, a list adds to a vector (and may be
// given more than once), a size is parsed into a number.
struct OptionDef {
    OptionId id;
    const char* name;     // "--registry"
    const char* value;    // what the option takes ("FILE"), or nullptr for a flag
    unsigned commands;    // the commands that take it
    unsigned requiredBy;  // the commands that cannot go without it
    const char* help;
    bool Options::*flag;
    std::string Options::*text;
    std::vector<std::string> Options::*list;
    uint64_t Options::*size;
    // A required option that this one may be given in place of; the two
    // exclude each other.
    OptionId insteadOf;
    // An option without which this one is refused by a command that takes
    // both.
    OptionId needs;

    bool Repeatable() const { return list != nullptr; }
    // The value's form, where it must have one ("a number of bytes, ..."),
    // else nullptr.
    const char* Form() const;
    // Whether the value has the option's form.
    bool Accepts(const std::string& value) const;
    // Stores the value (ignored for a flag) in options.
    void Store(Options& options, const std::string& value) const;

    constexpr OptionDef InsteadOf(OptionId other) const {
        OptionDef o = *this;
        o.insteadOf = other;
        return o;
    }
    constexpr OptionDef Needs(OptionId other) const {
        OptionDef o = *this;
        o.needs = other;
        return o;
    }
};

const std::vector<CommandDef>& CommandTable();
const std::vector<OptionDef>& OptionTable();

const OptionDef& Option(OptionId id);
// The option or command of that name, or nullptr.
const OptionDef* FindOption(const std::string& name);
const CommandDef* FindCommand(const std::string& name);

// The pseudo-command that shows help: "vexaro help [COMMAND]".
extern const char* const kHelpCommand;

}  // namespace vexaro
