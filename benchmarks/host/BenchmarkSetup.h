// The INI calls that Apply makes, recorded once on the host platform: on a
// page whose settings are unchanged, and on the two Apply calls of a round
// trip in which every check box is clicked before each.
#pragma once

#include "HostBench.h"
#include "IniSequence.h"

namespace vxbench {

struct IniWorkload {
    IniSequence unchanged;
    IniSequence changedThere;
    IniSequence changedBack;
};

// Leaves the INI files as they were generated.
IniWorkload RecordApplyIniCalls(HostBench& bench);

// Writes apply-unchanged.ini-calls, apply-changed-1.ini-calls and
// apply-changed-2.ini-calls for N Layout values into folder.
bool WriteIniWorkload(int entries, const std::string& folder);

}  // namespace vxbench
