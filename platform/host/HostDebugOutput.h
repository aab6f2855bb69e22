// Debug output of the host platform: keeps every line in order, and echoes
// it to the standard error stream when asked to.
#pragma once

#include <string>
#include <vector>

#include "platform/DebugOutput.h"

namespace vx {

class HostDebugOutput final : public IDebugOutput {
  public:
    VX_OVERRIDES(VX_DEBUG_OUTPUT_METHODS)

    const std::vector<std::string>& Lines() const { return m_lines; }
    void Clear() { m_lines.clear(); }
    void SetEcho(bool echo) { m_echo = echo; }

  private:
    std::vector<std::string> m_lines;
    bool m_echo = false;
};

}  // namespace vx
