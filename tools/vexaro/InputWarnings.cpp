#include "InputWarnings.h"

#include "AnsiText.h"

namespace vexaro {

void PrintInputWarnings(const std::vector<std::string>& warnings, std::ostream& err) {
    for (const std::string& warning : warnings)
        err << "vexaro: warning: " << Shown(warning) << "\n";
}

bool RefuseInputWarnings(const std::vector<std::string>& warnings, std::string* error) {
    if (warnings.empty()) return true;
    *error = Shown(warnings.front()) + " (--strict: nothing done)";
    return false;
}

bool HandleInputWarnings(const std::vector<std::string>& warnings, const Options& options,
                         std::ostream& err, std::string* error) {
    if (options.strict) return RefuseInputWarnings(warnings, error);
    PrintInputWarnings(warnings, err);
    return true;
}

}  // namespace vexaro
