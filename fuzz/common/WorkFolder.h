// The folder that a fuzz target writes its files in.
#pragma once

#include <string>

namespace vxfuzz {

// Makes a fresh folder "vxfuzz-<target>-XXXXXX" under $VX_FUZZ_TMP, else
// under /dev/shm where it may be written (files in memory keep the runs
// fast), else under /tmp; returns its path. A folder that cannot be made
// ends the run as broken.
std::string MakeWorkFolder(const std::string& target);

}  // namespace vxfuzz
