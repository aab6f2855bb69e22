#include "ErrorReport.h"

#include <cstring>
#include <nlohmann/json.hpp>

#include "AnsiText.h"
#include "Options.h"

namespace vexaro {

int ReportError(const std::string& message, bool json, std::ostream& out, std::ostream& err) {
    // Messages carry names from the data: control characters are shown,
    // never sent.
    err << "vexaro: " << Printable(message) << "\n";
    if (json) WriteJsonError(message, out);
    return kExitError;
}

void WriteJsonError(const std::string& message, std::ostream& out) {
    nlohmann::ordered_json j;
    j["schema"] = 1;
    j["error"] = {{"message", Utf8Lenient(message)}};
    out << EscapeJsonControls(
               j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace))
        << "\n";
}

std::string SystemError(int errnum) {
    if (errnum == 0) return "unknown error";
    return std::strerror(errnum);
}

}  // namespace vexaro
