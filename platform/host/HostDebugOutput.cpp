#include "HostDebugOutput.h"

#include <cstdio>

namespace vx {

void HostDebugOutput::Write(const char* text) {
    m_lines.emplace_back(text != nullptr ? text : "");
    if (m_echo) std::fputs(m_lines.back().c_str(), stderr);
}

}  // namespace vx
