#include "Options.h"

#include <cstdlib>

namespace displayhost {

const char kUsage[] =
    "usage: displayhost [--register FILE.reg] [--no-ctrl] [--trace]\n"
    "                   [--script [--screenshot FILE.bmp] [--one-apply]] [--max N]\n"
    "Opens Display Properties with the property sheet handlers registered for\n"
    "the Display control panel, holding Ctrl unless --no-ctrl is given.\n"
    "  --register FILE  import a registry file (regedit /S) first\n"
    "  --trace          print the handlers' debug trace lines as they come\n"
    "  --script         drive the sheet: picture, one click per action kind,\n"
    "                   Apply (after each kind, or once with --one-apply),\n"
    "                   answer the restart question No, then close\n";

bool ParseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto next = [&](std::string* value) {
            if (i + 1 >= args.size()) {
                *error = arg + " needs a value";
                return false;
            }
            *value = args[++i];
            return true;
        };
        if (arg == "--register") {
            if (!next(&options->registerFile)) return false;
        } else if (arg == "--screenshot") {
            if (!next(&options->screenshot)) return false;
        } else if (arg == "--max") {
            std::string value;
            if (!next(&value)) return false;
            char* end = nullptr;
            unsigned long n = std::strtoul(value.c_str(), &end, 10);
            if (value.empty() || *end || n == 0 || n > 64) {
                *error = "--max needs a number from 1 to 64";
                return false;
            }
            options->maxHandlers = static_cast<unsigned>(n);
        } else if (arg == "--no-ctrl") {
            options->holdCtrl = false;
        } else if (arg == "--script") {
            options->script = true;
        } else if (arg == "--trace") {
            options->trace = true;
        } else if (arg == "--one-apply") {
            options->oneApply = true;
        } else if (arg == "--help" || arg == "-h" || arg == "/?") {
            options->help = true;
        } else {
            *error = "unknown argument " + arg;
            return false;
        }
    }
    return true;
}

}  // namespace displayhost
