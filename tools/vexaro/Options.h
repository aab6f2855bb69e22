// The command line, parsed.
#pragma once

#include <string>
#include <vector>

namespace vexaro {

enum class Command { None, Preview, Check, Apply };

struct Options {
    Command command = Command::None;
    std::string registryFile;  // REGEDIT4 file with the driver's data
    std::string infFile;       // or an INF file whose AddReg lines hold it
    std::string infSection;    // the INF's section; empty for the default
    std::string windowsDir;    // folder where INI file names without a path lie
    bool failSafe = false;     // as if Windows had been started in its fail-safe mode
    bool json = false;
    std::string svgFile;
    std::string pngFile;
    std::vector<std::string> assignments;  // apply: NAME=on|off
};

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;  // check found something
constexpr int kExitError = 2;     // bad usage, unreadable input; nothing was written

}  // namespace vexaro
