#include "CommandParser.h"

#include <algorithm>
#include <utility>

#include "HelpText.h"
#include "Suggestion.h"

namespace vexaro {

namespace {

using GivenOptions = std::vector<std::pair<const OptionDef*, std::string>>;

std::vector<std::string> OptionWords() {
    std::vector<std::string> words = {"--help", "--version"};
    for (const OptionDef& o : OptionTable()) words.push_back(o.name);
    return words;
}

std::string UnknownOption(const std::string& name) {
    // "-json" for "--json" is named at once.
    const bool singleDash = name.compare(0, 2, "--") != 0;
    if (singleDash && FindOption("-" + name) != nullptr) {
        return "unknown option " + name + ": did you mean -" + name + "?";
    }
    return "unknown option " + name + DidYouMean(singleDash ? "-" + name : name, OptionWords());
}

// An operand: the command, or what follows it.
bool TakeOperand(const std::string& arg, ParsedCommandLine* p) {
    if (p->command != nullptr || p->helpCommand) {
        p->operands.push_back(arg);
    } else if (arg == kHelpCommand) {
        p->helpCommand = true;
    } else if ((p->command = FindCommand(arg)) == nullptr) {
        p->error = "unknown command '" + arg + "'" + DidYouMean(arg, CommandWords());
        return false;
    } else {
        p->see = std::string("vexaro help ") + arg;
    }
    return true;
}

// The option in argv[*i] with its value (which may be the next word);
// false with the error set when it is no option or its value is wrong.
bool TakeOption(int argc, const char* const* argv, int* i, ParsedCommandLine* p,
                GivenOptions* given) {
    const std::string arg = argv[*i];
    const size_t eq = arg.find('=');
    const std::string name = arg.compare(0, 2, "--") == 0 ? arg.substr(0, eq) : arg;
    const OptionDef* option = FindOption(name);
    if (option == nullptr) {
        p->error = UnknownOption(name);
        return false;
    }
    std::string value;
    if (option->value == nullptr) {
        if (eq != std::string::npos) {
            p->error = name + " takes no value";
            return false;
        }
    } else if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
    } else if (*i + 1 < argc && std::string(argv[*i + 1]).compare(0, 2, "--") != 0) {
        value = argv[++*i];
    } else {
        p->error = name + " needs a " + option->value;
        return false;
    }
    if (option->value != nullptr && value.empty()) {
        p->error = name + " needs a " + option->value + ", not an empty word";
        return false;
    }
    if (!option->Accepts(value)) {
        p->error = name + " takes " + option->Form() + ", not '" + value + "'";
        return false;
    }
    given->emplace_back(option, value);
    return true;
}

// Reads the words one by one: the command, its operands and the options.
bool ReadWords(int argc, const char* const* argv, ParsedCommandLine* p, GivenOptions* given) {
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
            if (!TakeOperand(arg, p)) return false;
        } else if (arg == "-h" || arg == "--help") {
            p->help = true;
        } else if (arg == "-V" || arg == "--version") {
            p->version = true;
        } else if (!TakeOption(argc, argv, &i, p, given)) {
            return false;
        }
    }
    return true;
}

// The option that the command takes in place of a required one, or nullptr.
const OptionDef* StandIn(const OptionDef& required, const CommandDef& c) {
    const OptionDef* standIn = nullptr;
    for (const OptionDef& s : OptionTable()) {
        if (s.insteadOf == required.id && (s.commands & c.bit)) standIn = &s;
    }
    return standIn;
}

// Whether the options given fit the command: each taken by it, given once
// unless repeatable, their relations kept, the required ones there.
bool CheckOptions(const CommandDef& c, const GivenOptions& given, ParsedCommandLine* p) {
    std::vector<bool> seen(kOptionCount, false);
    auto isSeen = [&](OptionId id) {
        return id != OptionId::None && seen[static_cast<size_t>(id)];
    };
    for (const auto& [option, value] : given) {
        if (!(option->commands & c.bit)) {
            p->error = std::string(c.name) + " does not take " + option->name + " (an option of " +
                       CommandNames(option->commands) + ")";
            return false;
        }
        if (!option->Repeatable() && isSeen(option->id)) {
            p->error = std::string(option->name) + " is given more than once";
            return false;
        }
        seen[static_cast<size_t>(option->id)] = true;
        option->Store(p->options, value);
    }
    for (const auto& entry : given) {
        const OptionDef& o = *entry.first;
        if (isSeen(o.insteadOf)) {
            p->error = std::string("give either ") + Option(o.insteadOf).name + " or " + o.name +
                       ", not both";
            return false;
        }
        if (o.needs == OptionId::None) continue;
        const OptionDef& needed = Option(o.needs);
        if ((needed.commands & c.bit) && !isSeen(o.needs)) {
            p->error = std::string(c.name) + " takes " + o.name + " only with " + needed.name;
            return false;
        }
    }
    for (const OptionDef& o : OptionTable()) {
        if (!(o.requiredBy & c.bit) || isSeen(o.id)) continue;
        const OptionDef* standIn = StandIn(o, c);
        if (standIn != nullptr && isSeen(standIn->id)) continue;
        p->error = std::string(c.name) + " needs " + OptionLabel(o) +
                   (standIn != nullptr ? " or " + OptionLabel(*standIn) : std::string());
        return false;
    }
    return true;
}

bool CheckOperands(const CommandDef& c, ParsedCommandLine* p) {
    if (*c.operands == '\0' && !p->operands.empty()) {
        p->error = std::string(c.name) + " takes no arguments, but got '" + p->operands[0] + "'";
        return false;
    }
    if (c.needsOperands && p->operands.empty()) {
        p->error = std::string(c.name) + " needs at least one " + c.operands;
        return false;
    }
    return true;
}

// Whether --json stands among the options, however the rest turned out.
bool AsksForJson(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") return false;
        if (arg == "--json") return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> CommandWords() {
    std::vector<std::string> words;
    for (const CommandDef& c : CommandTable()) words.push_back(c.name);
    words.push_back(kHelpCommand);
    return words;
}

std::string UsageError(const std::string& message, const std::string& see) {
    if (message.size() > 1 && message.back() == '?') return message;
    return message + " (see '" + see + "')";
}

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
    ParsedCommandLine p;
    p.asksForJson = AsksForJson(argc, argv);
    GivenOptions given;
    if (!ReadWords(argc, argv, &p, &given)) return p;
    if (p.help || p.version || p.helpCommand) return p;
    if (p.command == nullptr) {
        p.error = given.empty() ? "no command given: " + CommandChoice()
                                : "no command given before " + std::string(given[0].first->name) +
                                      ": " + CommandChoice();
        return p;
    }
    if (!CheckOptions(*p.command, given, &p) || !CheckOperands(*p.command, &p)) return p;
    p.options.command = p.command->command;
    p.options.assignments = p.operands;
    return p;
}

}  // namespace vexaro
