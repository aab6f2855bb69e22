// Calls that no exception may leave: a dialog procedure's handling, and
// the framework's own bookkeeping below it.
#pragma once

#include <utility>

namespace vx {

// The result of call(); fallback when an exception comes up through it. A
// build without exceptions (the shipped DLLs) has none to stop: there a
// failure below ends in a structured exception, which no C++ code sees.
template <typename Call, typename Result>
Result Guarded(Call&& call, Result fallback) {
#if defined(__cpp_exceptions)
    try {
        return std::forward<Call>(call)();
    } catch (...) {
        return fallback;
    }
#else
    (void)fallback;
    return std::forward<Call>(call)();
#endif
}

}  // namespace vx
