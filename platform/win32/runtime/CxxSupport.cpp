// What compiled C++ calls besides operator new and delete: pure virtual
// calls, the guards of function-local statics, and the library's failure
// paths, which without exceptions end in a structured exception.
#include <stdint.h>
#include <windows.h>

#include "Runtime.h"

namespace vx {
namespace rt {

void Fail(unsigned long code) {
    // A handler that tries to continue gets EXCEPTION_NONCONTINUABLE_EXCEPTION;
    // should one return all the same, the failure is raised again.
    for (;;) RaiseException(code, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

}  // namespace rt
}  // namespace vx

extern "C" {

void __cxa_pure_virtual() {
    vx::rt::Fail(vx::rt::kRuntimeFailure);
}

// A function-local static is constructed on first use. Every call into the
// module comes on one thread at a time, so the guard is its first byte:
// 0 until the object has been constructed.
int __cxa_guard_acquire(uint64_t* guard) {
    return *reinterpret_cast<char*>(guard) == 0;
}
void __cxa_guard_release(uint64_t* guard) {
    *reinterpret_cast<char*>(guard) = 1;
}
void __cxa_guard_abort(uint64_t*) {}

}  // extern "C"

// The containers' size checks call these; nothing in the module reaches them.
namespace std {
[[noreturn]] void __throw_bad_alloc() {
    vx::rt::Fail(vx::rt::kNoMemory);
}
[[noreturn]] void __throw_length_error(const char*) {
    vx::rt::Fail(vx::rt::kRuntimeFailure);
}
[[noreturn]] void __throw_out_of_range(const char*) {
    vx::rt::Fail(vx::rt::kRuntimeFailure);
}
[[noreturn]] void __throw_bad_array_new_length() {
    vx::rt::Fail(vx::rt::kNoMemory);
}
}  // namespace std
