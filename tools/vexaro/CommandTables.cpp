#include "CommandTables.h"

#include <iterator>

#include "Commands.h"
#include "Files.h"
#include "InfCommand.h"

namespace vexaro {

const char* const kHelpCommand = "help";

namespace {

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

// The four kinds of row; the relations are added to a row with InsteadOf
// and Needs.
constexpr OptionDef Flag(OptionId id, const char* name, unsigned commands, bool Options::*member,
                         const char* help) {
    return {id,      name,    nullptr,        commands,      0, help, member, nullptr,
            nullptr, nullptr, OptionId::None, OptionId::None};
}

constexpr OptionDef Text(OptionId id, const char* name, const char* value, unsigned commands,
                         unsigned requiredBy, std::string Options::*member, const char* help) {
    return {id,      name,   value,   commands, requiredBy,     help,
            nullptr, member, nullptr, nullptr,  OptionId::None, OptionId::None};
}

constexpr OptionDef List(OptionId id, const char* name, const char* value, unsigned commands,
                         std::vector<std::string> Options::*member, const char* help) {
    return {id,     name,    value,          commands,      0, help, nullptr, nullptr,
            member, nullptr, OptionId::None, OptionId::None};
}

constexpr OptionDef Size(OptionId id, const char* name, const char* value, unsigned commands,
                         uint64_t Options::*member, const char* help) {
    return {id,      name,   value,          commands,      0, help, nullptr, nullptr,
            nullptr, member, OptionId::None, OptionId::None};
}

constexpr unsigned kReadingCommands = kPageCommands | kInfBit;  // the commands that read input

constexpr OptionDef kOptions[] = {
    Text(OptionId::Registry, "--registry", "FILE", kReadingCommands, kReadingCommands,
         &Options::registryFile,
         "the display driver's data, a REGEDIT4 file; - reads standard input"),
    Text(OptionId::Inf, "--inf", "FILE", kPageCommands, 0, &Options::infFile,
         "instead of --registry: the driver's data as AddReg lines of an INF file (HKR: the "
         "driver's key), which is never written; - reads standard input")
        .InsteadOf(OptionId::Registry),
    Text(OptionId::Section, "--section", "NAME", kReadingCommands, 0, &Options::infSection,
         "the INF section that --inf reads (AddReg lines, or an install section naming their "
         "sections) or that inf prints; by default Vexaro.AddReg")
        .Needs(OptionId::Inf),
    Text(OptionId::Windir, "--windir", "DIR", kPageCommands, kPageCommands, &Options::windowsDir,
         "the Windows folder: INI file names without a folder lie here"),
    Text(OptionId::Drive, "--drive", "DIR", kPageCommands, 0, &Options::driveDir,
         "the folder that stands for C:\\: INI file names such as C:\\x.ini or \\x.ini lie under "
         "it"),
    Size(OptionId::MaxInputSize, "--max-input-size", "SIZE", kReadingCommands, &Options::maxInput,
         "read at most SIZE bytes of --registry or --inf (K, M, G: binary multiples; by default "
         "64M); a larger input is refused"),
    Flag(OptionId::FailSafe, "--fail-safe", kPageCommands, &Options::failSafe,
         "act as after a fail-safe start of Windows"),
    Flag(OptionId::Json, "--json", kPageCommands, &Options::json,
         "print JSON instead of text, errors included"),
    Text(OptionId::Svg, "--svg", "FILE", kPreviewBit, 0, &Options::svgFile,
         "also draw the page as SVG; - writes it to standard output"),
    Text(OptionId::Png, "--png", "FILE", kPreviewBit, 0, &Options::pngFile,
         "also draw the page as PNG; - writes it to standard output"),
    List(OptionId::Kind, "--kind", "KIND", kCheckBit, &Options::kinds,
         "report only findings of this kind or severity (repeatable, or KIND,KIND)"),
    List(OptionId::Ignore, "--ignore", "KIND", kCheckBit, &Options::ignored,
         "leave out findings of this kind or severity"),
    Flag(OptionId::Strict, "--strict", kReadingCommands, &Options::strict,
         "check: exit with 1 on any finding reported, not only on errors; preview, apply, inf: "
         "refuse an input file with lines that Windows skips"),
    Flag(OptionId::DryRun, "--dry-run", kApplyBit, &Options::dryRun,
         "report what would change and write nothing"),
    Flag(OptionId::NoRegistry, "--no-registry", kApplyBit, &Options::noRegistry,
         "leave the registry file as it is; its deletions are only reported"),
    Flag(OptionId::NoWait, "--no-wait", kApplyBit, &Options::noWait,
         "fail at once when another apply holds the files, instead of waiting"),
    Flag(OptionId::Force, "--force", kApplyBit, &Options::force,
         "write the registry file back even when it is read-only"),
};

// Row i is the option whose OptionId is i, and every option has its row.
constexpr bool RowsFollowIds() {
    for (size_t i = 0; i < std::size(kOptions); ++i) {
        if (static_cast<size_t>(kOptions[i].id) != i) return false;
    }
    return std::size(kOptions) == kOptionCount;
}
static_assert(RowsFollowIds(), "the option table's rows must follow OptionId");

// An option stands in only for a required one, and relates to another.
constexpr bool RelationsMakeSense() {
    for (const OptionDef& o : kOptions) {
        if (o.insteadOf == o.id || o.needs == o.id) return false;
        if (o.insteadOf != OptionId::None &&
            kOptions[static_cast<size_t>(o.insteadOf)].requiredBy == 0) {
            return false;
        }
    }
    return true;
}
static_assert(RelationsMakeSense(), "an option's relations must name another option");

const char* const kSizeForm = "a number of bytes, with K, M or G after it for KiB, MiB or GiB";

}  // namespace

const char* OptionDef::Form() const {
    return size != nullptr ? kSizeForm : nullptr;
}

bool OptionDef::Accepts(const std::string& value) const {
    return size == nullptr || ParseSize(value, nullptr);
}

void OptionDef::Store(Options& options, const std::string& value) const {
    if (flag != nullptr) options.*flag = true;
    if (text != nullptr) options.*text = value;
    if (list != nullptr) (options.*list).push_back(value);
    if (size != nullptr) ParseSize(value, &(options.*size));
}

const std::vector<CommandDef>& CommandTable() {
    return kCommands;
}

const std::vector<OptionDef>& OptionTable() {
    static const std::vector<OptionDef> table(std::begin(kOptions), std::end(kOptions));
    return table;
}

const OptionDef& Option(OptionId id) {
    return OptionTable().at(static_cast<size_t>(id));
}

const OptionDef* FindOption(const std::string& name) {
    for (const OptionDef& o : OptionTable()) {
        if (name == o.name) return &o;
    }
    return nullptr;
}

const CommandDef* FindCommand(const std::string& name) {
    for (const CommandDef& c : kCommands) {
        if (name == c.name) return &c;
    }
    return nullptr;
}

}  // namespace vexaro
