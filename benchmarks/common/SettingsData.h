// Generated settings for the page: N Layout values spread over groups, the
// Association data of each member, and the INI files behind them. The same
// data on both backends, so that the host and Windows figures compare.
//
// Every group is one Group value whose order number admits all of its
// members, followed by check boxes; nothing is evicted or pruned, so that
// showing the page leaves the registry as it was. Each check box stands for
// one bit (0 to 6) of an integer "Option<k>" in section "Group<g>" of one
// of up to four INI files; its Action is "Dynamic", so Apply is followed by
// nothing further.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vxbench {

// The driver key of the generated data, relative to HKEY_LOCAL_MACHINE.
constexpr char kDriverKey[] = "System\\CurrentControlSet\\Services\\Class\\Display\\0000";

struct RegistryValueData {
    std::string name;
    uint32_t type;  // REG_SZ (1) or REG_BINARY (3)
    std::vector<uint8_t> data;
};

struct RegistryKeyData {
    std::string path;  // relative to HKEY_LOCAL_MACHINE
    std::vector<RegistryValueData> values;
};

struct SettingsData {
    int entries = 0;  // Layout values, Group values included
    int groups = 0;
    int members = 0;  // check boxes
    // The Layout key first, then one Association key per member.
    std::vector<RegistryKeyData> keys;
    // INI file name (no folder) -> contents. INIFile values hold the file
    // name behind the folder given to MakeSettings.
    std::map<std::string, std::string> iniFiles;
};

// iniFolder: the folder in front of each INI file name in the INIFile
// values, with its trailing separator ("/tmp/x/" or "C:\\x\\").
SettingsData MakeSettings(int entries, const std::string& iniFolder);

}  // namespace vxbench
