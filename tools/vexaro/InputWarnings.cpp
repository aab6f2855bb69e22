#include "InputWarnings.h"

#include "AnsiText.h"

namespace vexaro {

bool ReportInputWarnings(const std::vector<std::string>& warnings, bool strict, std::ostream& err,
                         std::string* error) {
    if (warnings.empty()) return true;
    if (strict) {
        *error = Shown(warnings.front()) + " (--strict: nothing done)";
        return false;
    }
    for (const std::string& warning : warnings)
        err << "vexaro: warning: " << Shown(warning) << "\n";
    return true;
}

}  // namespace vexaro
