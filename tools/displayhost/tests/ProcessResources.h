// Counts of what this process holds, for telling whether repeated work
// leaks. Where the system's own counters are not implemented (Wine answers
// 0 to GetGuiResources and GetProcessHandleCount) the counts come from
// other sources: Wine's GDI handle table, the process's windows, and the
// system handle list.
#pragma once

#include <string>

namespace shelltest {

struct ProcessResources {
    long gdiObjects = -1;  // -1: no source
    long userObjects = -1;
    long kernelHandles = -1;
    long privateKilobytes = -1;  // committed private memory
    std::string sources;         // which source gave each count
};

ProcessResources CountProcessResources();

}  // namespace shelltest
