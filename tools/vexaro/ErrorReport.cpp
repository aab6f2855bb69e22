#include "ErrorReport.h"

#include <cstring>
#include <nlohmann/json.hpp>

#include "Options.h"

namespace vexaro {

int ReportError(const std::string& message, bool json, std::ostream& out, std::ostream& err) {
    err << "vexaro: " << message << "\n";
    if (json) WriteJsonError(message, out);
    return kExitError;
}

void WriteJsonError(const std::string& message, std::ostream& out) {
    nlohmann::ordered_json j;
    j["schema"] = 1;
    j["error"] = {{"message", message}};
    out << j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

std::string SystemError(int errnum) {
    if (errnum == 0) return "unknown error";
    return std::strerror(errnum);
}

}  // namespace vexaro
