#include "CallLog.h"

#include <algorithm>

namespace vxbench {

int CallLog::Count(Op op) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [op](const Call& c) { return c.op == op; }));
}

}  // namespace vxbench
