// How a fuzz target reports a broken property: the reason on the error
// output, then an abort, which the fuzzer records as a crash with the input.
#pragma once

#include <string>

namespace vxfuzz {

[[noreturn]] void Broken(const std::string& what);

inline void Require(bool holds, const std::string& what) {
    if (!holds) Broken(what);
}

// Text with every byte outside printable ASCII written as \xNN.
std::string Printable(const std::string& bytes);

}  // namespace vxfuzz
