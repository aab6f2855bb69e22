// The small runtime that the shipped DLLs carry in place of a C runtime DLL:
// the entry point that constructs and destroys the module's static objects,
// the exit list, operator new and delete over the process heap, the string
// and memory functions the code calls, and a formatter for snprintf.
#pragma once

#include <stdarg.h>
#include <stddef.h>

namespace vx {
namespace rt {

// Formats like vsnprintf for the conversions %d %i %u %x %X %c %s %%, with
// the flags '-' and '0', a width and a precision (each also as '*'), and
// the length modifiers h, l and z. Writes at most size - 1 characters and
// a terminating zero (nothing when size is 0); returns the length the whole
// text needs, or -1 for a conversion it does not know (the buffer then
// holds the text up to it).
int FormatV(char* buffer, size_t size, const char* format, va_list args);

// The exit list: functions run in the reverse order of their entry. Add
// gives 0, or -1 when the memory for the entry cannot be had.
int AddExitFunction(void (*function)());
// Runs and empties the list. Functions that it runs may add further ones,
// which run next.
void RunExitFunctions();

// Runs the module's static constructors, in the order in which the linker
// collected them (within a source file: the order of definition).
void RunStaticConstructors();

// Stops on a failure from which the code cannot go on (an allocation that
// may not fail, a pure virtual call): raises a non-continuable structured
// exception with the code given, which the host process may catch.
[[noreturn]] void Fail(unsigned long code);

constexpr unsigned long kNoMemory = 0xC0000017UL;        // STATUS_NO_MEMORY
constexpr unsigned long kRuntimeFailure = 0xE0565852UL;  // 'VXR' with the customer bit

}  // namespace rt
}  // namespace vx
