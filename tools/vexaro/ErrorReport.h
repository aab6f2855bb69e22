// How the tool reports an error: one line on stderr, "vexaro: " and the
// message; when JSON was asked for, also a JSON object on stdout, so that a
// program reading the output always gets a document.
#pragma once

#include <ostream>
#include <string>

namespace vexaro {

// Returns kExitError.
int ReportError(const std::string& message, bool json, std::ostream& out, std::ostream& err);

// {"schema": 1, "error": {"message": ...}} on one line.
void WriteJsonError(const std::string& message, std::ostream& out);

// The system's text for an errno value.
std::string SystemError(int errnum);

}  // namespace vexaro
