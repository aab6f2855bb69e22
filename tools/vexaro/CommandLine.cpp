#include "CommandLine.h"

#include "CommandParser.h"
#include "ErrorReport.h"
#include "HelpText.h"
#include "Suggestion.h"

namespace vexaro {

const char* const kVersion = VEXARO_VERSION;

namespace {

// Usage errors go out as JSON too where --json stands among the words.
ErrorReport UsageErrors(const ParsedCommandLine& p, std::ostream& out, std::ostream& err) {
    return p.asksForJson ? ErrorReport::WithJson(out, err) : ErrorReport::TextOnly(err);
}

// "vexaro help [COMMAND]".
int ShowHelpOf(const ParsedCommandLine& p, std::ostream& out, std::ostream& err) {
    const ErrorReport errors = UsageErrors(p, out, err);
    if (p.operands.size() > 1) {
        return errors.Fail("help takes one command, but got '" + p.operands[1] + "'");
    }
    if (p.operands.empty() || p.operands[0] == kHelpCommand) {
        out << ToolHelp();
        return kExitOk;
    }
    const std::string& name = p.operands[0];
    const CommandDef* c = FindCommand(name);
    if (c == nullptr) {
        return errors.Fail(UsageError(
            "unknown command '" + name + "'" + DidYouMean(name, CommandWords()), "vexaro --help"));
    }
    out << CommandHelp(*c);
    return kExitOk;
}

}  // namespace

int RunTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine p = ParseCommandLine(argc, argv);
    if (!p.error.empty()) {
        return UsageErrors(p, out, err).Fail(UsageError(p.error, p.see));
    }
    if (p.version) {
        out << "vexaro " << kVersion << "\n";
        return kExitOk;
    }
    if (p.helpCommand) return ShowHelpOf(p, out, err);
    if (p.help) {
        out << (p.command != nullptr ? CommandHelp(*p.command) : ToolHelp());
        return kExitOk;
    }
    return p.command->run(p.options, out, err);
}

}  // namespace vexaro
