#include "CommandLine.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "Commands.h"
#include "ErrorReport.h"
#include "Files.h"
#include "Findings.h"
#include "InfCommand.h"

namespace vexaro {

const char* const kVersion = VEXARO_VERSION;

namespace {

constexpr size_t kHelpWidth = 80;

// Commands in the usage lines after the name; "help" is handled apart.
const std::vector<CommandDef> kCommands = {
    {"preview", Command::Preview, kPreviewBit, "", false,
     "show the page as the extension lays it out (changes nothing)",
     "Shows the page as the extension lays it out: every control with its id, kind, "
     "rectangle, style, check, entry and caption, the entries without a control, and the "
     "Layout values that showing the page deletes. Changes no file: the deletions happen "
     "only in the copy of the registry in memory.",
     RunPreview},
    {"check", Command::Check, kCheckBit, "", false,
     "list what the page would delete or mishandle (changes nothing)",
     "Shows the page on a copy of the registry in memory and lists what its next showing "
     "deletes and what in the stored data makes it behave other than its author probably "
     "meant, grouped by kind. Exits with 1 when an error is found (with --strict: any "
     "finding), 0 otherwise. Changes no file.",
     RunCheck},
    {"apply", Command::Apply, kApplyBit, "NAME=on|off...", true,
     "set entries on or off and apply them as the page would",
     "Shows the page, sets each named entry on or off as a click would, presses Apply "
     "(the restart question is answered No) and writes the registry file back when "
     "showing the page deleted data from it. A radio button is switched off by switching "
     "another of its group on. Contradictory settings, and names without a control or "
     "without an INI value behind them, are refused before anything is written.",
     RunApply},
    {"inf", Command::Inf, kInfBit, "", false,
     "print the driver's page data as an INF AddReg section",
     "Prints the Layout and Association data of the display driver that the registry file "
     "names as an AddReg section in HKR form (HKR stands for the driver's key), ready to go "
     "into the driver's INF and to be named on an AddReg= line of its install section. "
     "Strings are quoted as INF files require; binary and dword values carry their flags. "
     "preview, check and apply read such a section with --inf FILE. Changes no file.",
     RunInf},
};

void SetRegistry(Options& o, const std::string& v) {
    o.registryFile = v;
}
void SetWindir(Options& o, const std::string& v) {
    o.windowsDir = v;
}

const std::vector<OptionDef> kOptions = {
    {"--registry", "FILE", kPageCommands | kInfBit, kPageCommands | kInfBit, false, SetRegistry,
     "the display driver's data, a REGEDIT4 file; - reads standard input"},
    {"--inf", "FILE", kPageCommands, 0, false,
     [](Options& o, const std::string& v) { o.infFile = v; },
     "instead of --registry: the driver's data as AddReg lines of an INF file (HKR: the "
     "driver's key), which is never written; - reads standard input",
     "--registry"},
    {"--section", "NAME", kPageCommands | kInfBit, 0, false,
     [](Options& o, const std::string& v) { o.infSection = v; },
     "the INF section that --inf reads (AddReg lines, or an install section naming their "
     "sections) or that inf prints; by default Vexaro.AddReg",
     nullptr, "--inf"},
    {"--windir", "DIR", kPageCommands, kPageCommands, false, SetWindir,
     "the Windows folder: INI file names without a folder lie here"},
    {"--drive", "DIR", kPageCommands, 0, false,
     [](Options& o, const std::string& v) { o.driveDir = v; },
     "the folder that stands for C:\\: INI file names such as C:\\x.ini or \\x.ini lie under "
     "it"},
    {"--max-input-size", "SIZE", kPageCommands | kInfBit, 0, false,
     [](Options& o, const std::string& v) { ParseSize(v, &o.maxInput); },
     "read at most SIZE bytes of --registry or --inf (K, M, G: binary multiples; by default "
     "64M); a larger input is refused",
     nullptr, nullptr, [](const std::string& v) { return ParseSize(v, nullptr); },
     "a number of bytes, with K, M or G after it for KiB, MiB or GiB"},
    {"--fail-safe", nullptr, kPageCommands, 0, false,
     [](Options& o, const std::string&) { o.failSafe = true; },
     "act as after a fail-safe start of Windows"},
    {"--json", nullptr, kPageCommands, 0, false,
     [](Options& o, const std::string&) { o.json = true; },
     "print JSON instead of text, errors included"},
    {"--svg", "FILE", kPreviewBit, 0, false,
     [](Options& o, const std::string& v) { o.svgFile = v; },
     "also draw the page as SVG; - writes it to standard output"},
    {"--png", "FILE", kPreviewBit, 0, false,
     [](Options& o, const std::string& v) { o.pngFile = v; },
     "also draw the page as PNG; - writes it to standard output"},
    {"--kind", "KIND", kCheckBit, 0, true,
     [](Options& o, const std::string& v) { o.kinds.push_back(v); },
     "report only findings of this kind or severity (repeatable, or KIND,KIND)"},
    {"--ignore", "KIND", kCheckBit, 0, true,
     [](Options& o, const std::string& v) { o.ignored.push_back(v); },
     "leave out findings of this kind or severity"},
    {"--strict", nullptr, kPageCommands | kInfBit, 0, false,
     [](Options& o, const std::string&) { o.strict = true; },
     "check: exit with 1 on any finding reported, not only on errors; preview, apply, inf: "
     "refuse an input file with lines that Windows skips"},
    {"--dry-run", nullptr, kApplyBit, 0, false,
     [](Options& o, const std::string&) { o.dryRun = true; },
     "report what would change and write nothing"},
    {"--no-registry", nullptr, kApplyBit, 0, false,
     [](Options& o, const std::string&) { o.noRegistry = true; },
     "leave the registry file as it is; its deletions are only reported"},
    {"--no-wait", nullptr, kApplyBit, 0, false,
     [](Options& o, const std::string&) { o.noWait = true; },
     "fail at once when another apply holds the files, instead of waiting"},
    {"--force", nullptr, kApplyBit, 0, false,
     [](Options& o, const std::string&) { o.force = true; },
     "write the registry file back even when it is read-only"},
};

const char* const kHelpCommand = "help";

// "preview, check, apply or inf".
std::string CommandChoice() {
    std::string names;
    for (size_t i = 0; i < kCommands.size(); ++i) {
        if (i > 0) names += i + 1 == kCommands.size() ? " or " : ", ";
        names += kCommands[i].name;
    }
    return names;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Lines of at most kHelpWidth columns: the first after `first`, the others
// indented by `indent` blanks.
std::string Wrap(const std::string& first, const std::string& text, size_t indent) {
    std::string result = first;
    const size_t lineStart = first.rfind('\n');
    size_t column = lineStart == std::string::npos ? first.size() : first.size() - lineStart - 1;
    std::istringstream words(text);
    std::string word;
    bool atStart = true;
    while (words >> word) {
        size_t need = word.size() + (atStart ? 0 : 1);
        if (!atStart && column + need > kHelpWidth) {
            result += "\n" + std::string(indent, ' ');
            column = indent;
            atStart = true;
            need = word.size();
        }
        result += (atStart ? "" : " ") + word;
        column += need;
        atStart = false;
    }
    return result + "\n";
}

std::string CommandNames(unsigned bits) {
    std::string names;
    for (const CommandDef& c : kCommands) {
        if (!(bits & c.bit)) continue;
        names += (names.empty() ? "" : ", ") + std::string(c.name);
    }
    return names;
}

std::string OptionLabel(const OptionDef& o) {
    return std::string(o.name) + (o.value != nullptr ? std::string(" ") + o.value : "");
}

constexpr size_t kLabelColumn = 20;

std::string OptionLine(const std::string& label, const std::string& help) {
    std::string first = "  " + label;
    first += label.size() + 2 < kLabelColumn ? std::string(kLabelColumn - 2 - label.size(), ' ')
                                             : std::string("\n") + std::string(kLabelColumn, ' ');
    return Wrap(first, help, kLabelColumn);
}

std::string UsageLine(const CommandDef& c) {
    std::string line = std::string("vexaro ") + c.name;
    for (const OptionDef& o : kOptions) {
        if (o.requiredBy & c.bit) line += " " + OptionLabel(o);
    }
    line += " [OPTION...]";
    if (*c.operands != '\0') line += std::string(" ") + c.operands;
    return line;
}

const CommandDef* FindCommand(const std::string& name) {
    for (const CommandDef& c : kCommands) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

const OptionDef* FindOption(const std::string& name) {
    for (const OptionDef& o : kOptions) {
        if (name == o.name) return &o;
    }
    return nullptr;
}

std::vector<std::string> CommandWords() {
    std::vector<std::string> words;
    for (const CommandDef& c : kCommands) words.push_back(c.name);
    words.push_back(kHelpCommand);
    return words;
}

std::vector<std::string> OptionWords() {
    std::vector<std::string> words = {"--help", "--version"};
    for (const OptionDef& o : kOptions) words.push_back(o.name);
    return words;
}

// Optimal string alignment distance: insertions, deletions, substitutions
// and swaps of neighbours, each 1.
size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// ": did you mean WORD?" for a close candidate, or "".
std::string DidYouMean(const std::string& word, const std::vector<std::string>& candidates) {
    std::string suggestion = Suggest(word, candidates);
    return suggestion.empty() ? "" : ": did you mean " + suggestion + "?";
}

// A usage error ends with a suggestion, or else with where to read more.
std::string UsageError(const std::string& message, const std::string& see) {
    if (message.size() > 1 && message.back() == '?') return message;
    return message + " (see '" + see + "')";
}

// What the command line asks for, or the first thing wrong with it.
struct Parsed {
    Options options;
    const CommandDef* command = nullptr;
    bool helpCommand = false;  // "vexaro help [COMMAND]"
    bool help = false;         // --help or -h
    bool version = false;
    std::vector<std::string> operands;
    std::string error;
    std::string see = "vexaro --help";  // where the error message points
};

bool ParseArguments(int argc, const char* const* argv, Parsed* p) {
    std::vector<std::pair<const OptionDef*, std::string>> given;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
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
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            p->help = true;
            continue;
        }
        if (arg == "-V" || arg == "--version") {
            p->version = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.compare(0, 2, "--") == 0 ? arg.substr(0, eq) : arg;
        const OptionDef* option = FindOption(name);
        if (option == nullptr) {
            // "-json" for "--json" is named at once.
            const bool singleDash = name.compare(0, 2, "--") != 0;
            p->error = "unknown option " + name +
                       (singleDash && FindOption("-" + name) != nullptr
                            ? ": did you mean -" + name + "?"
                            : DidYouMean(singleDash ? "-" + name : name, OptionWords()));
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
        } else if (i + 1 < argc && std::string(argv[i + 1]).compare(0, 2, "--") != 0) {
            value = argv[++i];
        } else {
            p->error = name + " needs a " + option->value;
            return false;
        }
        if (option->value != nullptr && value.empty()) {
            p->error = name + " needs a " + option->value + ", not an empty word";
            return false;
        }
        if (option->valid != nullptr && !option->valid(value)) {
            p->error = name + " takes " + option->form + ", not '" + value + "'";
            return false;
        }
        given.emplace_back(option, value);
    }
    if (p->help || p->version || p->helpCommand) return true;
    if (p->command == nullptr) {
        p->error = given.empty() ? "no command given: " + CommandChoice()
                                 : "no command given before " + std::string(given[0].first->name) +
                                       ": " + CommandChoice();
        return false;
    }

    const CommandDef& c = *p->command;
    std::vector<const OptionDef*> seen;
    for (const auto& [option, value] : given) {
        if (!(option->commands & c.bit)) {
            p->error = std::string(c.name) + " does not take " + option->name + " (an option of " +
                       CommandNames(option->commands) + ")";
            return false;
        }
        if (!option->repeatable && std::find(seen.begin(), seen.end(), option) != seen.end()) {
            p->error = std::string(option->name) + " is given more than once";
            return false;
        }
        seen.push_back(option);
        option->set(p->options, value);
    }
    auto isSeen = [&](const OptionDef* o) {
        return o != nullptr && std::find(seen.begin(), seen.end(), o) != seen.end();
    };
    for (const OptionDef* o : seen) {
        if (o->insteadOf != nullptr && isSeen(FindOption(o->insteadOf))) {
            p->error = std::string("give either ") + o->insteadOf + " or " + o->name + ", not both";
            return false;
        }
        const OptionDef* needed = o->needs != nullptr ? FindOption(o->needs) : nullptr;
        if (needed != nullptr && (needed->commands & c.bit) && !isSeen(needed)) {
            p->error = std::string(c.name) + " takes " + o->name + " only with " + needed->name;
            return false;
        }
    }
    for (const OptionDef& o : kOptions) {
        if (!(o.requiredBy & c.bit) || isSeen(&o)) continue;
        // An option the command takes in its place will do.
        const OptionDef* standIn = nullptr;
        for (const OptionDef& s : kOptions) {
            if (s.insteadOf != nullptr && o.name == std::string(s.insteadOf) &&
                (s.commands & c.bit)) {
                standIn = &s;
            }
        }
        if (isSeen(standIn)) continue;
        p->error = std::string(c.name) + " needs " + OptionLabel(o) +
                   (standIn != nullptr ? " or " + OptionLabel(*standIn) : std::string());
        return false;
    }
    if (*c.operands == '\0' && !p->operands.empty()) {
        p->error = std::string(c.name) + " takes no arguments, but got '" + p->operands[0] + "'";
        return false;
    }
    if (c.needsOperands && p->operands.empty()) {
        p->error = std::string(c.name) + " needs at least one " + c.operands;
        return false;
    }
    p->options.command = c.command;
    p->options.assignments = p->operands;
    return true;
}

// Whether --json stands among the options, however the rest turned out.
bool AsksForJson(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--") return false;
        if (arg == "--json") return true;
    }
    return false;
}

}  // namespace

const std::vector<CommandDef>& CommandTable() {
    return kCommands;
}

const std::vector<OptionDef>& OptionTable() {
    return kOptions;
}

std::string Suggest(const std::string& word, const std::vector<std::string>& candidates) {
    std::string best;
    size_t bestDistance = 0;
    const std::string lower = Lower(word);
    for (const std::string& c : candidates) {
        size_t d = Distance(lower, Lower(c));
        if (best.empty() || d < bestDistance) {
            best = c;
            bestDistance = d;
        }
    }
    // A close spelling, or the start of exactly one candidate.
    const size_t core = lower.size() - (lower.compare(0, 2, "--") == 0 ? 2 : 0);
    if (!best.empty() && best != word && bestDistance <= (core >= 6 ? 2u : 1u)) return best;
    std::string prefixOf;
    for (const std::string& c : candidates) {
        if (core < 2 || c == word || Lower(c).compare(0, lower.size(), lower) != 0) continue;
        if (!prefixOf.empty()) return "";
        prefixOf = c;
    }
    return prefixOf;
}

std::string ToolHelp() {
    std::string h;
    h += Wrap("",
              "vexaro: the Vexaro display page's settings on Linux. Runs the page's own logic "
              "over a registry file and a folder of INI files, as the page would on Windows.",
              0);
    h += "\nUsage:\n";
    for (const CommandDef& c : kCommands) h += "  " + UsageLine(c) + "\n";
    h += "  vexaro help [COMMAND]\n  vexaro --version\n\nCommands:\n";
    for (const CommandDef& c : kCommands) h += OptionLine(c.name, c.summary);
    h += OptionLine(kHelpCommand, "show this help, or the help of one command");
    h += "\nOptions:\n";
    for (const OptionDef& o : kOptions) {
        std::string help = o.help;
        // An option of some of the page's commands only says which.
        if ((o.commands & kPageCommands) != kPageCommands) {
            help = CommandNames(o.commands) + ": " + help;
        }
        h += OptionLine(OptionLabel(o), help);
    }
    h += OptionLine("-h, --help", "show help");
    h += OptionLine("-V, --version", "show the version");
    h += "\n";
    h += Wrap("",
              "Exit status: 0 done; 1 check found errors; 2 an error, reported on standard "
              "error (nothing was written unless the message says so).",
              0);
    h += "'vexaro help COMMAND' explains a command; 'man vexaro' tells everything.\n";
    return h;
}

std::string CommandHelp(const CommandDef& c) {
    std::string h = "Usage: " + UsageLine(c) + "\n\n";
    h += Wrap("", c.description, 0);
    h += "\nOptions:\n";
    for (const OptionDef& o : kOptions) {
        if (o.commands & c.bit) h += OptionLine(OptionLabel(o), o.help);
    }
    h += OptionLine("-h, --help", "show this help");
    if (c.command == Command::Apply) {
        h += "\n";
        h += Wrap("",
                  "NAME is a Layout value name, matched without regard to letter case; on and "
                  "off in any letter case.",
                  0);
    }
    if (c.command == Command::Check) {
        h += "\nKinds of finding (severity: error, warning or note):\n";
        for (const FindingKind& k : FindingKinds()) {
            h += OptionLine(k.code, std::string(SeverityName(k.severity)) + ": " + k.summary);
        }
    }
    return h;
}

int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    Parsed p;
    if (!ParseArguments(argc, argv, &p)) {
        return ReportError(UsageError(p.error, p.see), AsksForJson(argc, argv), out, err);
    }
    if (p.version) {
        out << "vexaro " << kVersion << "\n";
        return kExitOk;
    }
    if (p.helpCommand) {
        if (p.operands.size() > 1) {
            return ReportError("help takes one command, but got '" + p.operands[1] + "'",
                               AsksForJson(argc, argv), out, err);
        }
        if (p.operands.empty()) {
            out << ToolHelp();
            return kExitOk;
        }
        const std::string& name = p.operands[0];
        if (name == kHelpCommand) {
            out << ToolHelp();
            return kExitOk;
        }
        const CommandDef* c = FindCommand(name);
        if (c == nullptr) {
            return ReportError(
                UsageError("unknown command '" + name + "'" + DidYouMean(name, CommandWords()),
                           "vexaro --help"),
                AsksForJson(argc, argv), out, err);
        }
        out << CommandHelp(*c);
        return kExitOk;
    }
    if (p.help) {
        out << (p.command != nullptr ? CommandHelp(*p.command) : ToolHelp());
        return kExitOk;
    }
    return p.command->run(p.options, out, err);
}

}  // namespace vexaro
