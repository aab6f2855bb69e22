// Command line of the Display control panel host.
#pragma once

#include <string>
#include <vector>

namespace displayhost {

struct Options {
    std::string registerFile;  // --register FILE: imported with regedit first
    bool holdCtrl = true;      // --no-ctrl turns it off
    bool script = false;       // --script: the program drives the sheet itself
    std::string screenshot;    // --screenshot FILE.bmp (script mode)
    bool trace = false;        // --trace: echo the debug trace lines
    bool oneApply = false;     // --one-apply: click every kind, then apply once
    unsigned maxHandlers = 8;  // --max N
    bool help = false;
};

// False (with a reason) on an unknown or incomplete argument.
bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error);

extern const char kUsage[];

}  // namespace displayhost
