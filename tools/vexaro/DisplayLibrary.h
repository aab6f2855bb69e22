// The tool's stand-in for the driver maker's "ferolib.dll": the driver's
// key comes from the maker's software key ("CurrentDisplayKey" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Corvane\Lumetra), as the Windows stand-in
// takes it, and the current display mode is the one given to the tool.
#pragma once

#include <string>

#include "platform/host/HostLibraries.h"
#include "platform/host/HostRegistryTree.h"

namespace vexaro {

struct DisplayMode {
    std::string bitsPerPel = "16";
    std::string resolution = "1024,768";
    std::string frequency = "75";
};

const char kDisplayClassPrefix[] = "System\\CurrentControlSet\\Services\\Class\\Display\\";
const char kMakerKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra";
const char kCurrentDisplayKey[] = "CurrentDisplayKey";

// The driver's key (relative to HKEY_LOCAL_MACHINE) as the library gives
// it; empty when the maker's key does not name one.
std::string DriverKeyOf(const vx::HostRegistryTree& registry);

// Registers "ferolib.dll" with the host libraries. The registry must stay
// alive while the library can be called.
void RegisterDisplayLibrary(vx::HostLibraries& libraries, const vx::HostRegistryTree& registry,
                            const DisplayMode& mode);

}  // namespace vexaro
