// The INI calls of a log, on their own: what Apply asks of
// GetPrivateProfileIntA and WritePrivateProfileStringA, with each file
// reduced to its name so that the sequence can be replayed in another
// folder, on another platform. Kept in a text file, one call per line:
//     G <tab> section <tab> key <tab> default <tab> file
//     W <tab> section <tab> key <tab> value <tab> file
#pragma once

#include <string>
#include <vector>

#include "CallLog.h"

namespace vxbench {

struct IniCall {
    bool write = false;
    std::string section;
    std::string key;
    std::string value;  // the written text, or the default of a read in decimal
    std::string file;   // name without folder
};

using IniSequence = std::vector<IniCall>;

IniSequence IniCallsOf(const CallLog& log);
bool SaveIniSequence(const IniSequence& sequence, const std::string& path);
bool LoadIniSequence(const std::string& path, IniSequence* sequence);

// The name of a file without its folder ('/' or '\\').
std::string FileNameOf(const std::string& path);

}  // namespace vxbench
