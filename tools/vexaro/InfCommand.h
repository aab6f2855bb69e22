// The driver's data in INF form. "inf" prints the Layout and Association
// data of a registry file as an AddReg section in HKR form, for a display
// driver's INF; --inf FILE [--section NAME] makes such a section the
// registry that preview, check and apply run on, with HKR standing for the
// driver's key kInfDriverKey. An INF is never written: apply reports the
// lines of the data that the page deletes.
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>

#include "Options.h"
#include "Snapshot.h"
#include "platform/host/HostRegistry.h"

namespace vexaro {

// The section that "inf" writes and --inf reads when none is named.
constexpr char kDefaultInfSection[] = "Vexaro.AddReg";
// The display driver's subkey that HKR stands for on INF input.
constexpr char kInfDriverSubkey[] = "0000";


// Adds --inf and --section to a command whose --registry option is given;
// the two sources exclude each other.
void AddInfSourceOptions(CLI::App& command, Options& options, CLI::Option* registry);

// Fills the registry from the section of the INF file: the AddReg lines
// with HKR as the driver's key, and the maker's "CurrentDisplayKey" naming
// that key. False with the line and reason of the fault.
bool LoadInfRegistry(vx::HostRegistry& registry, const Options& options,
                     vx::regfile::ParseError* error);

// What apply prints about the registry on INF input: the removed entries
// and the lines of the INF that add their data.
void WriteInfOutcome(const PageSnapshot& page, const Options& options, std::ostream& out);

}  // namespace vexaro
