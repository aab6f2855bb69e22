// What apply prints: the settings, the INI integers that changed, what
// became of the registry file, and the action that follows Apply; as text
// or as JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "RecordingProfile.h"
#include "Snapshot.h"
#include "platform/host/HostShellServices.h"

namespace vexaro {

// One INI key after all the writes of one Apply.
struct IniChange {
    std::string file;
    std::string section;
    std::string key;
    bool existed = false;
    int32_t before = 0;
    std::string after;
    bool changed = false;
    bool failed = false;  // a write to the key did not succeed: the file keeps what it had
    std::string cause;    // of the first failed write
};

// Folds the writes to the same key (file, section and key compared without
// regard to letter case) into one change, in the order of the first write.
std::vector<IniChange> FoldWrites(const std::vector<IniWrite>& writes);

// "cannot write FILE: CAUSE" for each file whose changes failed, joined by
// "; "; empty when none failed.
std::string IniFailures(const std::vector<IniChange>& changes);

struct RegistryOutcome {
    enum class State {
        Unchanged,  // the page deleted nothing: the file is left as it was
        Written,
        Failed,       // error says why
        WouldWrite,   // a dry run
        LeftAlone,    // --no-registry
        InfReadOnly,  // the data came from an INF file, which is never written
    };
    std::string file;  // as given; "-" for standard input
    bool inf = false;  // file is an INF file
    State state = State::Unchanged;
    std::string error;
    // On INF input: for each of the page's removals, in order, the lines of
    // the INF that add the deleted data.
    std::vector<std::vector<int>> infLines;
};

struct ApplyReport {
    bool dryRun = false;
    std::vector<std::pair<std::string, bool>> settings;  // entry, on
    std::vector<IniChange> changes;
    const PageSnapshot* page = nullptr;  // as shown, before the settings
    RegistryOutcome registry;
    std::string pendingAction;                     // the level after Apply
    const vx::HostShellServices* shell = nullptr;  // what the page called
    std::string error;                             // what went wrong after the writes began
};

void WriteReport(const ApplyReport& report, std::ostream& out);
void WriteReportJson(const ApplyReport& report, std::ostream& out);

}  // namespace vexaro
