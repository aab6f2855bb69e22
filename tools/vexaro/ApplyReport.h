// What apply prints: the INI integers that changed, what became of the
// registry file, and the action that follows Apply.
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
};

// Folds the writes to the same key (file, section and key compared without
// regard to letter case) into one change, in the order of the first write.
std::vector<IniChange> FoldWrites(const std::vector<IniWrite>& writes);

void WriteIniChanges(const std::vector<IniChange>& changes, std::ostream& out);
// The files of the changes that failed, each once, in order; empty when none failed.
std::vector<std::string> FailedIniFiles(const std::vector<IniChange>& changes);
enum class RegistryOutcome {
    kUnchanged,  // the page deleted nothing
    kWritten,    // what the page deleted was taken out of the file
    kLeftAlone,  // the page deleted data, but the file was to be left alone
};
void WriteRegistryOutcome(const PageSnapshot& page, RegistryOutcome outcome,
                          const std::string& file, std::ostream& out);
// pendingAction: the level after Apply; shell: what the page called.
void WritePostApply(const std::string& pendingAction, const vx::HostShellServices& shell,
                    std::ostream& out);

}  // namespace vexaro
