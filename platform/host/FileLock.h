// Exclusive locks (flock) on the files that a run reads and then replaces,
// so that two runs on the same files take turns instead of each writing
// what it read before the other wrote.
//
// A replaced file is a new file (ReplaceFileAtomically renames a new file
// over the old one), so a lock on the old one would no longer guard the name.
// Therefore a replacement made while locks are active takes the lock of its
// new file before the rename (Adopt), and a run that has waited for a lock
// checks that the name still leads to the file it locked, and locks again
// when it does not. Every run that writes these files must lock them
// before it reads them; readers that never write need no lock.
#pragma once

#include <sys/types.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "FileDescriptor.h"

namespace vx {

class FileLocks {
  public:
    enum class Result {
        kLocked,  // held now (or nothing there to hold: no file and no folder)
        kBusy,    // another holder has it and waiting was not wanted
        kFailed,  // the file cannot be opened or locked
    };

    FileLocks() = default;
    ~FileLocks();
    FileLocks(const FileLocks&) = delete;
    FileLocks& operator=(const FileLocks&) = delete;

    // Locks the file the path leads to (through symbolic links), waiting
    // for other holders. Where no file exists yet the folder that would
    // hold it is locked instead. A file held already is not locked twice.
    // error: a one-line reason for kFailed.
    Result Lock(const std::string& path, std::string* error) { return Take(path, true, error); }
    // As Lock, but gives kBusy at once where another holder has the lock.
    Result TryLock(const std::string& path, std::string* error) { return Take(path, false, error); }

    // Locks a new file that is about to replace a held one and keeps the
    // lock until the end; false when it cannot be locked at once.
    bool Adopt(int fd);

    // Gives every lock up.
    void ReleaseAll();

  private:
    Result Take(const std::string& path, bool wait, std::string* error);
    bool Holds(int fd) const;
    void Keep(FileDescriptor fd);

    std::vector<FileDescriptor> m_descriptors;
    std::set<std::pair<dev_t, ino_t>> m_held;
};

// The locks that replacements of this process hand their new files to;
// null when none are active.
FileLocks* ActiveFileLocks();
void SetActiveFileLocks(FileLocks* locks);

}  // namespace vx
