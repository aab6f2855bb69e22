#include "HelpText.h"

#include <sstream>

#include "Findings.h"

namespace vexaro {

namespace {

constexpr size_t kHelpWidth = 80;
constexpr size_t kLabelColumn = 20;

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

// A paragraph of its own, from the left margin.
std::string Paragraph(const std::string& text) {
    return Wrap("", text, 0);
}

std::string OptionLine(const std::string& label, const std::string& help) {
    std::string first = "  " + label;
    first += label.size() + 2 < kLabelColumn ? std::string(kLabelColumn - 2 - label.size(), ' ')
                                             : std::string("\n") + std::string(kLabelColumn, ' ');
    return Wrap(first, help, kLabelColumn);
}

std::string UsageLine(const CommandDef& c) {
    std::string line = std::string("vexaro ") + c.name;
    for (const OptionDef& o : OptionTable()) {
        if (o.requiredBy & c.bit) line += " " + OptionLabel(o);
    }
    line += " [OPTION...]";
    if (*c.operands != '\0') line += std::string(" ") + c.operands;
    return line;
}

}  // namespace

std::string OptionLabel(const OptionDef& o) {
    return std::string(o.name) + (o.value != nullptr ? std::string(" ") + o.value : "");
}

std::string CommandNames(unsigned bits) {
    std::string names;
    for (const CommandDef& c : CommandTable()) {
        if (!(bits & c.bit)) continue;
        names += (names.empty() ? "" : ", ") + std::string(c.name);
    }
    return names;
}

std::string CommandChoice() {
    const std::vector<CommandDef>& commands = CommandTable();
    std::string names;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (i > 0) names += i + 1 == commands.size() ? " or " : ", ";
        names += commands[i].name;
    }
    return names;
}

std::string ToolHelp() {
    std::string h;
    h += Paragraph(
        "vexaro: the Vexaro display page's settings on Linux. Runs the page's own logic "
        "over a registry file and a folder of INI files, as the page would on Windows.");
    h += "\nUsage:\n";
    for (const CommandDef& c : CommandTable()) h += "  " + UsageLine(c) + "\n";
    h += "  vexaro help [COMMAND]\n  vexaro --version\n\nCommands:\n";
    for (const CommandDef& c : CommandTable()) h += OptionLine(c.name, c.summary);
    h += OptionLine(kHelpCommand, "show this help, or the help of one command");
    h += "\nOptions:\n";
    for (const OptionDef& o : OptionTable()) {
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
    h += Paragraph(
        "Exit status: 0 done; 1 check found errors; 2 an error, reported on standard "
        "error (nothing was written unless the message says so).");
    h += "'vexaro help COMMAND' explains a command; 'man vexaro' tells everything.\n";
    return h;
}

std::string CommandHelp(const CommandDef& c) {
    std::string h = "Usage: " + UsageLine(c) + "\n\n";
    h += Paragraph(c.description);
    h += "\nOptions:\n";
    for (const OptionDef& o : OptionTable()) {
        if (o.commands & c.bit) h += OptionLine(OptionLabel(o), o.help);
    }
    h += OptionLine("-h, --help", "show this help");
    if (c.command == Command::Apply) {
        h += "\n";
        h += Paragraph(
            "NAME is a Layout value name, matched without regard to letter case; on and "
            "off in any letter case.");
    }
    if (c.command == Command::Check) {
        h += "\nKinds of finding (severity: error, warning or note):\n";
        for (const FindingKind& k : FindingKinds()) {
            h += OptionLine(k.code, std::string(SeverityName(k.severity)) + ": " + k.summary);
        }
    }
    return h;
}

}  // namespace vexaro
