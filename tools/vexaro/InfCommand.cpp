#include "InfCommand.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "DisplayLibrary.h"
#include "platform/host/InfImport.h"
#include "platform/regfile/InfFile.h"

namespace vexaro {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string SectionOf(const Options& options) {
    return options.infSection.empty() ? kDefaultInfSection : options.infSection;
}

bool ReadWholeFile(const std::string& name, std::string* text) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return false;
    *text = bytes.str();
    return true;
}

bool ReadEntries(const Options& options, std::vector<vx::regfile::AddRegEntry>* entries,
                 vx::regfile::ParseError* error) {
    std::string text;
    if (!ReadWholeFile(options.infFile, &text)) {
        *error = {0, "cannot read " + options.infFile};
        return false;
    }
    vx::regfile::InfDocument inf;
    if (!vx::regfile::ParseInf(text, &inf, error)) return false;
    if (!vx::regfile::ReadAddReg(inf, SectionOf(options), entries, error)) {
        if (error->line == 0) error->reason += " in " + options.infFile;
        return false;
    }
    return true;
}

// Line numbers as "12, 30-36".
std::string LineList(const std::vector<int>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size();) {
        size_t j = i;
        while (j + 1 < lines.size() && lines[j + 1] == lines[j] + 1) ++j;
        if (!text.empty()) text += ", ";
        text += std::to_string(lines[i]);
        if (j > i) text += "-" + std::to_string(lines[j]);
        i = j + 1;
    }
    return text;
}

}  // namespace

void AddInfSourceOptions(CLI::App& command, Options& options, CLI::Option* registry) {
    CLI::Option* inf =
        command
            .add_option("--inf", options.infFile,
                        "INF file whose AddReg lines (HKR = the driver's key) hold the data")
            ->type_name("FILE");
    command
        .add_option("--section", options.infSection,
                    std::string("the AddReg section, or an install section naming "
                                "them (default ") +
                        kDefaultInfSection + ")")
        ->type_name("NAME")
        ->needs(inf);
    registry->excludes(inf);
}

bool LoadInfRegistry(vx::HostRegistry& registry, const Options& options,
                     vx::regfile::ParseError* error) {
    std::vector<vx::regfile::AddRegEntry> entries;
    if (!ReadEntries(options, &entries, error)) return false;
    const std::string driverKey =
        std::string("HKEY_LOCAL_MACHINE\\") + kDisplayClassPrefix + kInfDriverSubkey;
    if (!vx::ImportAddReg(registry, entries, driverKey, error)) return false;
    // Set last: HKR is the driver's key whatever the lines say.
    registry.SetString(kMakerKey, kCurrentDisplayKey, kInfDriverSubkey);
    return true;
}

int RunInf(const Options& options, std::ostream& out, std::ostream& err) {
    vx::HostRegistry registry;
    vx::regfile::ParseError parseError;
    if (!registry.LoadFile(options.registryFile, &parseError)) {
        err << "vexaro: "
            << (parseError.line > 0 ? options.registryFile + ":" + std::to_string(parseError.line) +
                                          ": " + parseError.reason
                                    : parseError.reason)
            << "\n";
        return kExitError;
    }
    const std::string driverKey = DriverKeyOf(registry);
    if (driverKey.empty()) {
        err << "vexaro: " << options.registryFile << " does not name the driver's key (\""
            << kCurrentDisplayKey << "\" under " << kMakerKey << ")\n";
        return kExitError;
    }
    // The keys under the driver's key "Vexaro", with paths relative to the driver's key.
    const std::string base = "HKEY_LOCAL_MACHINE\\" + driverKey + "\\";
    const std::string top = Lower(base + "Vexaro");
    std::vector<vx::regfile::Key> keys;
    for (vx::regfile::Key& key : registry.Export().keys) {
        const std::string lower = Lower(key.path);
        if (lower.compare(0, top.size(), top) != 0 ||
            (lower.size() > top.size() && lower[top.size()] != '\\')) {
            continue;
        }
        key.path.erase(0, base.size());
        keys.push_back(std::move(key));
    }
    if (keys.empty()) {
        err << "vexaro: " << options.registryFile << " holds no Layout or Association data under "
            << base << "Vexaro\n";
        return kExitError;
    }
    std::string lines;
    std::string reason;
    if (!vx::regfile::WriteAddReg(keys, &lines, &reason)) {
        err << "vexaro: an INF cannot carry " << reason << "\n";
        return kExitError;
    }
    const std::string section = SectionOf(options);
    out << "; The Vexaro page's Layout and Association data for a display driver's INF." << kLineEnd
        << "; HKR is the driver's key. Name the section in the driver's install section:"
        << kLineEnd << ";   AddReg=...," << section << kLineEnd << "[" << section << "]" << kLineEnd
        << lines;
    return kExitOk;
}

void WriteInfOutcome(const PageSnapshot& page, const Options& options, std::ostream& out) {
    out << "Registry (" << options.infFile << " is read only, never written):\n";
    std::vector<vx::regfile::AddRegEntry> entries;
    vx::regfile::ParseError ignored;
    ReadEntries(options, &entries, &ignored);
    const std::string layout = Lower("Vexaro\\Layout");
    for (const Removal& r : page.removals) {
        const std::string name = Lower(r.name);
        const std::string association = Lower("Vexaro\\Association\\" + r.name);
        std::vector<int> lines;
        for (const vx::regfile::AddRegEntry& e : entries) {
            if (e.root != "HKR") continue;
            const std::string subkey = Lower(e.subkey);
            if ((subkey == layout && !e.keyOnly && Lower(e.name) == name) ||
                (r.associationDeleted && subkey == association)) {
                lines.push_back(e.line);
            }
        }
        out << "  the page deletes " << r.name << " ("
            << (r.reason == "evicted" ? "evicted by " + r.by : "not admitted by " + r.by)
            << (r.associationDeleted ? "; with its Association key" : "") << ")";
        if (!lines.empty()) out << ": " << options.infFile << " lines " << LineList(lines);
        out << "\n";
    }
    if (page.removals.empty()) out << "  the page deletes nothing\n";
}

}  // namespace vexaro
