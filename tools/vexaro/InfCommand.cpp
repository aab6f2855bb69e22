#include "InfCommand.h"

#include <cctype>

#include "Commands.h"
#include "DisplayLibrary.h"
#include "ErrorReport.h"
#include "Files.h"
#include "InputWarnings.h"
#include "platform/host/InfImport.h"
#include "platform/regfile/InfFile.h"

namespace vexaro {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string InfSectionName(const std::string& section) {
    return section.empty() ? kDefaultInfSection : section;
}

bool LoadInfRegistry(vx::HostRegistryTree& registry, const std::string& text,
                     const std::string& section, std::vector<vx::regfile::AddRegEntry>* entries,
                     vx::regfile::ParseError* error, std::vector<vx::regfile::ParseError>* notes) {
    vx::regfile::InfDocument inf;
    if (!vx::regfile::ParseInf(text, &inf, error)) return false;
    // A section named many times is read once, and applied again only
    // while that can change something.
    std::vector<vx::regfile::AddRegRun> runs;
    if (!vx::regfile::ReadAddReg(inf, InfSectionName(section), entries, error, notes, &runs)) {
        return false;
    }
    const std::string driverKey =
        std::string("HKEY_LOCAL_MACHINE\\") + kDisplayClassPrefix + kInfDriverSubkey;
    if (!vx::ImportAddReg(registry, *entries, driverKey, error, &runs)) return false;
    // Set last: HKR is the driver's key whatever the lines say.
    registry.SetString(kMakerKey, kCurrentDisplayKey, kInfDriverSubkey);
    return true;
}

int RunInf(const Options& options, std::ostream& out, std::ostream& err) {
    const ErrorReport errors = ErrorReport::For(options, out, err);
    const std::string name = InputName(options.registryFile);
    std::string text;
    std::string error;
    if (!ReadInput(options.registryFile, &text, &error, options.maxInput, InputForm::kRegistry)) {
        return errors.Fail(error);
    }
    vx::HostRegistryTree registry;
    vx::regfile::ParseError parseError;
    std::vector<vx::regfile::ParseError> skipped;
    if (!registry.ImportText(text, &parseError, &skipped)) {
        return errors.Fail(
            name + (parseError.line > 0 ? ":" + std::to_string(parseError.line) : std::string()) +
            ": " + parseError.reason);
    }
    std::vector<std::string> warnings;
    for (const vx::regfile::ParseError& s : skipped) {
        warnings.push_back(name + ":" + std::to_string(s.line) + ": " + s.reason);
    }
    if (!HandleInputWarnings(warnings, options, err, &error)) return errors.Fail(error);
    const std::string driverKey = DriverKeyOf(registry);
    if (driverKey.empty()) {
        return errors.Fail(name + " does not name the driver's key (\"" + kCurrentDisplayKey +
                           "\" under " + kMakerKey + ")");
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
        return errors.Fail(name + " holds no Layout or Association data under " + base + "Vexaro");
    }
    std::string lines;
    std::string reason;
    if (!vx::regfile::WriteAddReg(keys, &lines, &reason)) {
        return errors.Fail("an INF cannot carry " + reason);
    }
    const std::string section = InfSectionName(options.infSection);
    out << "; The Vexaro page's Layout and Association data for a display driver's INF." << kLineEnd
        << "; HKR is the driver's key. Name the section in the driver's install section:"
        << kLineEnd << ";   AddReg=...," << section << kLineEnd << "[" << section << "]" << kLineEnd
        << lines;
    return kExitOk;
}

std::vector<int> InfLinesOf(const std::vector<vx::regfile::AddRegEntry>& entries,
                            const Removal& removal) {
    const std::string layout = Lower("Vexaro\\Layout");
    const std::string name = Lower(removal.name);
    const std::string association = Lower("Vexaro\\Association\\" + removal.name);
    std::vector<int> lines;
    for (const vx::regfile::AddRegEntry& e : entries) {
        if (e.root != "HKR") continue;
        const std::string subkey = Lower(e.subkey);
        if ((subkey == layout && !e.keyOnly && Lower(e.name) == name) ||
            (removal.associationDeleted && subkey == association)) {
            lines.push_back(e.line);
        }
    }
    return lines;
}

}  // namespace vexaro
