#include "HostSystem.h"

#include "platform/WinConstants.h"

namespace vx {

int HostSystem::GetSystemMetrics(int index) {
    ++m_metricsCalls;
    ++m_metricsCallsByIndex[index];
    return index == kSmCleanBoot ? m_cleanBoot : 0;
}

int16_t HostSystem::GetKeyState(int virtualKey) {
    ++m_keyStateCalls;
    // The high-order bit tells that the key is down.
    return virtualKey == kVkControl && m_controlDown ? static_cast<int16_t>(0x8000) : 0;
}

int HostSystem::MetricsCalls(int index) const {
    auto it = m_metricsCallsByIndex.find(index);
    return it == m_metricsCallsByIndex.end() ? 0 : it->second;
}

}  // namespace vx
