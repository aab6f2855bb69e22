// Refuses one chosen string allocation: while an object of this class
// lives, the string heap gives null for its n-th allocation (counted from
// 0) and serves all others.
#pragma once

#include <cstdlib>

#include "platform/host/HostStringHeap.h"

namespace vxtest {

class StringHeapFailure {
  public:
    explicit StringHeapFailure(long n) {
        Left() = n;
        m_previous = vx::SetStringAllocator(&Allocate);
    }
    ~StringHeapFailure() {
        vx::SetStringAllocator(m_previous);
        Left() = -1;
    }
    StringHeapFailure(const StringHeapFailure&) = delete;
    StringHeapFailure& operator=(const StringHeapFailure&) = delete;

    // Whether the chosen allocation has been refused.
    bool Refused() const { return Left() == kRefused; }

  private:
    static constexpr long kRefused = -2;
    static long& Left() {
        static long left = -1;
        return left;
    }
    static void* Allocate(size_t bytes) {
        long& left = Left();
        if (left == 0) {
            left = kRefused;
            return nullptr;
        }
        if (left > 0) --left;
        return std::malloc(bytes);
    }

    vx::StringAllocator m_previous = nullptr;
};

}  // namespace vxtest
