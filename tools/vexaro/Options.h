// The command line, parsed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexaro {

// The most that is read of an input unless --max-input-size says otherwise.
constexpr uint64_t kDefaultMaxInput = uint64_t{64} << 20;

enum class Command { None, Preview, Check, Apply, Inf };

struct Options {
    Command command = Command::None;
    std::string registryFile;  // REGEDIT4 file with the driver's data; "-": standard input
    std::string infFile;       // or an INF file whose AddReg lines hold it; "-": standard input
    std::string infSection;    // the INF's section (inf: the one written); empty for the default
    std::string windowsDir;    // folder where INI file names without a path lie
    std::string driveDir;      // folder that stands for C:\; empty for none
    bool failSafe = false;     // as if Windows had been started in its fail-safe mode
    uint64_t maxInput = kDefaultMaxInput;  // the most that is read of --registry or --inf
    bool json = false;
    std::string svgFile;  // "-": standard output
    std::string pngFile;  // "-": standard output
    // check: the kinds or severities to report (empty: all) and to leave out.
    std::vector<std::string> kinds;
    std::vector<std::string> ignored;
    bool strict = false;      // check: every finding counts; else input lines skipped refuse
    bool dryRun = false;      // apply: everything up to the writes
    bool noRegistry = false;  // apply: leave the registry file as it is
    std::vector<std::string> assignments;  // apply: NAME=on|off
    bool noWait = false;                   // apply: fail at once when another run holds a file
    bool force = false;                    // apply: write a read-only registry file all the same
};

// The name that stands for standard input or output in place of a file.
constexpr const char* kStandardStream = "-";

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFindings = 1;  // check found an error (or, with --strict, anything)
constexpr int kExitError = 2;     // bad usage, unreadable input; nothing was written

}  // namespace vexaro
