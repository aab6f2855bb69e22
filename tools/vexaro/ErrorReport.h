// How the tool reports an error: one line on stderr, "vexaro: " and the
// message; when JSON was asked for, also a JSON object on stdout, so that a
// program reading the output always gets a document.
#pragma once

#include <ostream>
#include <string>

#include "Options.h"

namespace vexaro {

class ErrorReport {
  public:
    // Errors as text on err only.
    static ErrorReport TextOnly(std::ostream& err) { return ErrorReport(nullptr, err); }
    // Errors as text on err and as a JSON document on out.
    static ErrorReport WithJson(std::ostream& out, std::ostream& err) {
        return ErrorReport(&out, err);
    }
    // As the command line asks: with JSON under --json.
    static ErrorReport For(const Options& options, std::ostream& out, std::ostream& err) {
        return options.json ? WithJson(out, err) : TextOnly(err);
    }

    // Reports the message; returns kExitError.
    int Fail(const std::string& message) const;

  private:
    ErrorReport(std::ostream* jsonOut, std::ostream& err) : m_jsonOut(jsonOut), m_err(err) {}

    std::ostream* m_jsonOut;
    std::ostream& m_err;
};

// {"schema": 1, "error": {"message": ...}} on one line.
void WriteJsonError(const std::string& message, std::ostream& out);

// The system's text for an errno value.
std::string SystemError(int errnum);

}  // namespace vexaro
