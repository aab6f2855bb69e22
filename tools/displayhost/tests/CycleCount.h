// How many open-and-close cycles a repeated-load test runs. Where the
// processor is emulated (the test command's virtual machine sets
// VX_EMULATED=1) a cycle takes about five times as long, so fewer run there;
// the test's bounds are the same either way.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace shelltest {

inline bool ProcessorEmulated() {
    const char* value = std::getenv("VX_EMULATED");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

// Prints the number chosen and why.
inline int CycleCount(int onHardware, int emulated) {
    if (ProcessorEmulated()) {
        std::printf("%d cycles, not %d: the processor is emulated (VX_EMULATED)\n", emulated,
                    onHardware);
        return emulated;
    }
    std::printf("%d cycles\n", onHardware);
    return onHardware;
}

}  // namespace shelltest
