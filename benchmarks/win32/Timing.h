// Wall-clock samples of one case: the least and the median of them.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace vxbench {

class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceCounter(&m_start); }
    double Milliseconds() const {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER m_start;
};

class Samples {
  public:
    void Add(double ms) { m_values.push_back(ms); }
    bool Empty() const { return m_values.empty(); }
    double Min() const {
        return m_values.empty() ? 0.0 : *std::min_element(m_values.begin(), m_values.end());
    }
    double Median() const {
        if (m_values.empty()) return 0.0;
        std::vector<double> sorted = m_values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }

  private:
    std::vector<double> m_values;
};

}  // namespace vxbench
