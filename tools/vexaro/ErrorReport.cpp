#include "ErrorReport.h"

#include <cstring>
#include <nlohmann/json.hpp>

#include "AnsiText.h"

namespace vexaro {

int ErrorReport::Fail(const std::string& message) const {
    // Messages carry names from the data: control characters are shown,
    // never sent.
    m_err << "vexaro: " << Printable(message) << "\n";
    if (m_jsonOut != nullptr) WriteJsonError(message, *m_jsonOut);
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
