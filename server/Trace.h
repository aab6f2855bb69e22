// One-line debug traces of the COM entry points.
#pragma once

namespace vx {

// Hands a whole line, carriage return and line feed included, to the
// platform's debug output.
void Trace(const char* line);

}  // namespace vx
