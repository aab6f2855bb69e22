// snprintf and vsnprintf over the runtime's formatter.
#include "Runtime.h"

// The C entry points. The C++ headers of this toolchain compile snprintf to
// __mingw_vsnprintf; code built without them calls snprintf and vsnprintf.
extern "C" {

int __mingw_vsnprintf(char* buffer, size_t size, const char* format, va_list args) {
    return vx::rt::FormatV(buffer, size, format, args);
}

int vsnprintf(char* buffer, size_t size, const char* format, va_list args) {
    return vx::rt::FormatV(buffer, size, format, args);
}

int snprintf(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int length = vx::rt::FormatV(buffer, size, format, args);
    va_end(args);
    return length;
}

}  // extern "C"
