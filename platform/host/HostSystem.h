// Start mode and keyboard state of the host platform, set by the test or
// tool that runs the logic. Every query is counted.
#pragma once

#include <map>

#include "platform/System.h"

namespace vx {

class HostSystem final : public ISystem {
  public:
    VX_OVERRIDES(VX_SYSTEM_METHODS)

    // What GetSystemMetrics(SM_CLEANBOOT) answers: 0 for a normal start,
    // 1 for a fail-safe start (2: fail-safe with network).
    void SetCleanBoot(int mode) { m_cleanBoot = mode; }
    void SetFailSafe(bool failSafe) { m_cleanBoot = failSafe ? 1 : 0; }
    // Whether the Ctrl key is held down.
    void SetControlDown(bool down) { m_controlDown = down; }

    int MetricsCalls() const { return m_metricsCalls; }
    int MetricsCalls(int index) const;
    int KeyStateCalls() const { return m_keyStateCalls; }

  private:
    int m_cleanBoot = 0;
    bool m_controlDown = false;
    int m_metricsCalls = 0;
    std::map<int, int> m_metricsCallsByIndex;
    int m_keyStateCalls = 0;
};

}  // namespace vx
