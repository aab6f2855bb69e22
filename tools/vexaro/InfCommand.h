// The driver's data in INF form. "inf" prints the Layout and Association
// data of a registry file as an AddReg section in HKR form, for a display
// driver's INF; --inf FILE [--section NAME] makes such a section the
// registry that preview, check and apply run on, with HKR standing for the
// driver's key kInfDriverSubkey. An INF is never written: apply reports the
// lines of the data that the page deletes.
#pragma once

#include <string>
#include <vector>

#include "Snapshot.h"
#include "platform/host/HostRegistryTree.h"
#include "platform/regfile/InfFile.h"

namespace vexaro {

// The section that "inf" writes and --inf reads when none is named.
constexpr char kDefaultInfSection[] = "Vexaro.AddReg";
// The display driver's subkey that HKR stands for on INF input.
constexpr char kInfDriverSubkey[] = "0000";

// The section named, or the default one.
std::string InfSectionName(const std::string& section);

// Fills the registry from the section of the INF text: the AddReg lines
// with HKR as the driver's key, and the maker's "CurrentDisplayKey" naming
// that key. The lines read are kept in entries; the lines whose data was
// not taken as written go to notes. False with the line and reason of the
// fault.
bool LoadInfRegistry(vx::HostRegistryTree& registry, const std::string& text,
                     const std::string& section, std::vector<vx::regfile::AddRegEntry>* entries,
                     vx::regfile::ParseError* error,
                     std::vector<vx::regfile::ParseError>* notes = nullptr);

// The lines of the INF that add the data the page deleted with the
// removal: its Layout value and, when that went too, its Association key.
std::vector<int> InfLinesOf(const std::vector<vx::regfile::AddRegEntry>& entries,
                            const Removal& removal);

}  // namespace vexaro
