// The command line in-process: what each mistake is called, the help and
// version texts, JSON errors, and the documents that must agree with the
// option and command tables (README usage, man page, completion script).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CommandLine.h"
#include "CommandTables.h"
#include "Findings.h"
#include "HelpText.h"
#include "Suggestion.h"
#include "ToolRunner.h"

namespace vexaro {
namespace {

struct Outcome {
    int code;
    std::string out;
    std::string err;
};

Outcome Vexaro(std::vector<std::string> args) {
    args.insert(args.begin(), "vexaro");
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    int code = RunTool(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

std::string Source(const std::string& name) {
    return vexarotest::ReadFile(std::string(VEXARO_SOURCE_DIR) + "/" + name);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A word given and what the tool makes of it.
struct WordCase {
    const char* given;
    const char* expected;
};

// How COMMAND refuses a --max-input-size that is not a size.
std::string SizeRefused(const std::string& command, const std::string& value) {
    return "--max-input-size takes a number of bytes, with K, M or G after it for KiB, MiB or "
           "GiB, not '" +
           value + "' (see 'vexaro help " + command + "')";
}

TEST(CommandLine, MistakesAreNamed) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{}, "no command given: preview, check, apply or inf (see 'vexaro --help')"},
        {{"bogus"}, "unknown command 'bogus' (see 'vexaro --help')"},
        {{"previwe"}, "unknown command 'previwe': did you mean preview?"},
        {{"aply"}, "unknown command 'aply': did you mean apply?"},
        {{"-x"}, "unknown option -x (see 'vexaro --help')"},
        {{"check", "-json"}, "unknown option -json: did you mean --json?"},
        {{"preview", "--regsitry", "x"}, "unknown option --regsitry: did you mean --registry?"},
        {{"apply", "--dry"}, "unknown option --dry: did you mean --dry-run?"},
        {{"preview", "--bogus"}, "unknown option --bogus (see 'vexaro help preview')"},
        {{"--fail-safe"},
         "no command given before --fail-safe: preview, check, apply or inf (see 'vexaro "
         "--help')"},
        {{"apply", "--svg", "x.svg"},
         "apply does not take --svg (an option of preview) (see "
         "'vexaro help apply')"},
        {{"preview", "--registry", "a", "--windir", ".", "--registry", "b"},
         "--registry is given more than once (see 'vexaro help preview')"},
        {{"preview", "--windir", ".", "--registry"},
         "--registry needs a FILE (see 'vexaro help preview')"},
        {{"preview", "--registry", "--windir", "."},
         "--registry needs a FILE (see 'vexaro help preview')"},
        {{"preview", "--registry=", "--windir", "."},
         "--registry needs a FILE, not an empty word (see 'vexaro help preview')"},
        {{"check", "--json=yes"}, "--json takes no value (see 'vexaro help check')"},
        {{"apply", "--registry", "r"}, "apply needs --windir DIR (see 'vexaro help apply')"},
        // --inf stands in for --registry where a command takes it, and
        // --section goes with it; inf prints the section it names.
        {{"check", "--windir", "."},
         "check needs --registry FILE or --inf FILE (see 'vexaro help check')"},
        {{"inf", "--section", "S"}, "inf needs --registry FILE (see 'vexaro help inf')"},
        {{"inf", "--inf", "d.inf"},
         "inf does not take --inf (an option of preview, check, apply) "
         "(see 'vexaro help inf')"},
        {{"check", "--registry", "r", "--inf", "d.inf", "--windir", "."},
         "give either --registry or --inf, not both (see 'vexaro help check')"},
        {{"preview", "--registry", "r", "--section", "S", "--windir", "."},
         "preview takes --section only with --inf (see 'vexaro help preview')"},
        {{"inf", "--registry", "r", "--windir", "."},
         "inf does not take --windir (an option of preview, check, apply) (see 'vexaro help "
         "inf')"},
        {{"apply", "--registry", "r", "--windir", "."},
         "apply needs at least one NAME=on|off... (see 'vexaro help apply')"},
        {{"preview", "--registry=r", "--windir=.", "x.svg"},
         "preview takes no arguments, but got 'x.svg' (see 'vexaro help preview')"},
        // A size is a whole number of bytes, of KiB, MiB or GiB, at least 1.
        {{"check", "--max-input-size", "0"}, SizeRefused("check", "0")},
        {{"inf", "--max-input-size=1.5M"}, SizeRefused("inf", "1.5M")},
        {{"check", "--max-input-size", "16T"}, SizeRefused("check", "16T")},
        {{"check", "--max-input-size", "18446744073709551616"},
         SizeRefused("check", "18446744073709551616")},
        {{"check", "--max-input-size", "17179869184G"}, SizeRefused("check", "17179869184G")},
        {{"help", "bogus"}, "unknown command 'bogus' (see 'vexaro --help')"},
        {{"help", "check", "apply"}, "help takes one command, but got 'apply'"},
        {{"check", "--registry", "r", "--windir", ".", "--kind", "evicetd"},
         "unknown kind of finding 'evicetd': did you mean evicted?"},
        {{"check", "--registry", "r", "--windir", ".", "--ignore", "note,bogus"},
         "unknown kind of finding 'bogus' (see 'vexaro help check')"},
        // After "--" a word that looks like an option is a setting.
        {{"apply", "--registry", "nothere.reg", "--windir", ".", "--", "--odd=on"},
         "cannot read nothere.reg: No such file or directory"},
        {{"preview", "--registry", "r", "--windir", "nowhere"},
         "cannot open Windows folder nowhere: No such file or directory"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        Outcome r = Vexaro(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, "vexaro: " + c.err + "\n");
        EXPECT_EQ(r.out, "");
    }
}

TEST(CommandLine, JsonErrorsGoToStandardOutputToo) {
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--json"},
             {"check", "--json", "--regsitry", "r"},
             {"preview", "--json", "--registry", "nothere.reg", "--windir", "."},
             {"apply", "--registry", "r", "--windir", ".", "--json", "X=maybe"}}) {
        SCOPED_TRACE(args[0]);
        Outcome r = Vexaro(args);
        EXPECT_EQ(r.code, 2);
        nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["schema"], 1);
        EXPECT_EQ("vexaro: " + j["error"]["message"].get<std::string>() + "\n", r.err);
    }
    // After "--" it is no option.
    Outcome r = Vexaro({"apply", "--registry", "r", "--windir", ".", "--", "--json"});
    EXPECT_EQ(r.out, "");
}

TEST(CommandLine, SuggestsOnlyWhatIsClose) {
    const std::vector<std::string> options = {"--registry", "--windir", "--dry-run", "--json"};
    const WordCase cases[] = {
        {"--regsitry", "--registry"},  // two letters swapped
        {"--rgistr", "--registry"},    // two letters missing from a long name
        {"--rgist", ""},               // three
        {"--windr", "--windir"},       // one letter missing from a short name
        {"--wndr", ""},                // two
        {"--JSON", "--json"},          // letter case
        {"--dry", "--dry-run"},        // the start of one option
        {"--r", ""},                   // too short to tell
        {"--json", ""},                // nothing to suggest for the word itself
    };
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(Suggest(c.given, options), c.expected);
    }
}

TEST(CommandLine, HelpAndVersion) {
    Outcome version = Vexaro({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, std::string("vexaro ") + kVersion + "\n");
    EXPECT_EQ(Vexaro({"-V"}).out, version.out);

    Outcome help = Vexaro({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out, ToolHelp());
    EXPECT_EQ(Vexaro({"help"}).out, help.out);
    EXPECT_EQ(Vexaro({"-h"}).out, help.out);
    std::istringstream lines(help.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }

    for (const CommandDef& c : CommandTable()) {
        SCOPED_TRACE(c.name);
        Outcome one = Vexaro({"help", c.name});
        EXPECT_EQ(one.code, 0);
        EXPECT_EQ(one.out, CommandHelp(c));
        EXPECT_EQ(Vexaro({c.name, "--help"}).out, one.out);
        EXPECT_TRUE(Contains(help.out, std::string("  ") + c.name + " ")) << help.out;
        // Each command's help lists exactly its own options.
        for (const OptionDef& o : OptionTable()) {
            EXPECT_EQ(Contains(one.out, std::string("  ") + o.name + " "),
                      (o.commands & c.bit) != 0)
                << o.name;
        }
    }
    const std::string check = Vexaro({"help", "check"}).out;
    for (const FindingKind& k : FindingKinds()) {
        EXPECT_TRUE(Contains(check, std::string("  ") + k.code)) << k.code;
    }
}

// The documents say what the tables say.
TEST(CommandLine, ReadmeManPageAndCompletionAgreeWithTheTables) {
    const std::string readme = Source("README.md");
    const std::string man = Source("vexaro.1");
    const std::string completion = Source("vexaro.bash");

    const std::string start = "`vexaro --help` prints:\n\n```\n";
    size_t from = readme.find(start);
    ASSERT_NE(from, std::string::npos);
    from += start.size();
    size_t to = readme.find("```\n", from);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(readme.substr(from, to - from), ToolHelp());

    auto roff = [](std::string text) {
        std::string out;
        for (char c : text) out += c == '-' ? std::string("\\-") : std::string(1, c);
        return out;
    };
    EXPECT_TRUE(Contains(man, std::string(".TH VEXARO 1 \"2026\" \"vexaro ") + kVersion + "\""));
    for (const OptionDef& o : OptionTable()) {
        EXPECT_TRUE(Contains(man, roff(o.name))) << o.name;
        EXPECT_TRUE(Contains(completion, std::string(o.name) + " ") ||
                    Contains(completion, std::string(o.name) + "\""))
            << o.name;
    }
    for (const CommandDef& c : CommandTable()) {
        EXPECT_TRUE(Contains(man, std::string(".B ") + c.name)) << c.name;
        EXPECT_TRUE(Contains(completion, std::string(c.name) + ")")) << c.name;
    }
    for (const FindingKind& k : FindingKinds()) {
        const std::string severity = std::string(" | ") + SeverityName(k.severity) + " |";
        EXPECT_TRUE(Contains(readme, std::string("| `") + k.code + "`" + severity)) << k.code;
        EXPECT_TRUE(
            Contains(man, ".BR " + roff(k.code) + " \" (" + SeverityName(k.severity) + ")\""))
            << k.code;
        EXPECT_TRUE(Contains(completion, std::string(" ") + k.code)) << k.code;
    }
}

// The man page renders without a warning where groff is installed.
TEST(CommandLine, ManPageRenders) {
    if (std::system("command -v groff >/dev/null 2>&1") != 0) GTEST_SKIP() << "no groff";
    vexarotest::Scratch s;
    const std::string command = "groff -man -ww -z -Tutf8 '" + std::string(VEXARO_SOURCE_DIR) +
                                "/vexaro.1' 2>'" + s.Path("warnings") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(s.Read("warnings"), "");
}

// The completion script in bash: what a Tab after each line offers.
TEST(CommandLine, CompletionCompletes) {
    if (std::system("command -v bash >/dev/null 2>&1") != 0) GTEST_SKIP() << "no bash";
    vexarotest::Scratch s;
    s.CopySampleDriver();
    // The words before the cursor, the last one being completed, and what
    // is offered.
    const WordCase cases[] = {
        {"vexaro pr", "preview"},
        {"vexaro ''", "preview check apply inf help"},
        {"vexaro inf --", "--registry --section --max-input-size --strict --help"},
        {"vexaro check --max-input-size 1", "1G"},
        {"vexaro help i", "inf"},
        {"vexaro --v", "--version"},
        {"vexaro help a", "apply"},
        {"vexaro check --registry driver.reg --s", "--section --strict"},
        {"vexaro preview --s", "--section --svg --strict"},
        {"vexaro apply --dr", "--drive --dry-run"},
        {"vexaro check --kind ev", "evicted"},
        {"vexaro check --ignore note,mask-", "note,mask-text note,mask-truncated"},
        {"vexaro preview --windir ''", ""},  // folders only: none here
        {"vexaro apply --registry driver.reg --windir . Radio", "Radio2_1= Radio2_2= Radio2_3="},
        {"vexaro apply --inf driver.inf --windir . Radio", "Radio2_1= Radio2_2= Radio2_3="},
        {"vexaro apply --inf driver.inf --section Other --windir . Radio", ""},
        {"vexaro check --inf driver.inf --section V", "Vexaro.AddReg"},
        {"vexaro apply --windir . --registry driver.reg Check1_1=o", "Check1_1=on Check1_1=off"},
        {"vexaro apply --registry driver.reg --windir . Group", ""},  // group boxes have no state
    };
    const std::string program = VEXARO_PROGRAM;
    const std::string folder = program.substr(0, program.rfind('/'));
    const std::string inf =
        "cd '" + s.Dir() + "' && '" + program + "' inf --registry driver.reg >driver.inf";
    ASSERT_EQ(std::system(inf.c_str()), 0);
    for (const WordCase& c : cases) {
        SCOPED_TRACE(c.given);
        s.Write("complete.sh", std::string("source '") + VEXARO_SOURCE_DIR +
                                   "/vexaro.bash'\nPATH='" + folder + "':$PATH\nCOMP_WORDS=(" +
                                   c.given +
                                   ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_vexaro\n"
                                   "echo \"${COMPREPLY[*]}\"\n");
        const std::string command = "cd '" + s.Dir() + "' && bash complete.sh >out 2>err";
        ASSERT_EQ(std::system(command.c_str()), 0) << s.Read("err");
        EXPECT_EQ(s.Read("out"), std::string(c.expected) + "\n");
        EXPECT_EQ(s.Read("err"), "");
    }
}

}  // namespace
}  // namespace vexaro
