// Replacing a file's content all at once, for every file the host backend
// writes (INI files, registry files): the new bytes go to a new file next
// to the target (same folder, so that the rename is atomic), are flushed to
// the disk, and the new file is renamed over the target. A reader sees
// either the old file or the whole new one, and a failure at any point
// leaves the old file as it was, with no temporary file beside it.
//
// - The target keeps its permission bits, and its owner where the process
//   may give it; a new file gets 0666 less the umask.
// - A symbolic link stays: the file it points to is replaced.
// - Only a regular file (or a missing one) is replaced.
// - While FileLocks are active (FileLock.h) the new file is locked before it
//   takes the name, so that the name stays guarded.
// - The new file is named "NAME.~PID-N" (PID: the writing process). A
//   process killed between creating and renaming it leaves it behind; the
//   next replacement of the same file removes those whose process is gone.
#pragma once

#include <sys/stat.h>

#include <string>

namespace vx {

struct AtomicWrite {
    // Where the rename still has to be made durable: when not null, the
    // folder is not flushed here and its path is stored for FlushFolder, so
    // that several files of one folder share one flush. When null, the
    // folder is flushed before the call returns.
    std::string* folderToFlush = nullptr;
    // When not null, receives the status of the new file as it was renamed
    // into place (the same identity and times a later stat of the path gives).
    struct stat* written = nullptr;
    // When not null, receives on failure the system's reason alone (the
    // text of errno), for callers that word the message themselves.
    std::string* reason = nullptr;
};

// False, with *error (when given) telling what failed, on any failure.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                           std::string* error = nullptr, const AtomicWrite& how = {});

// Removes the new files that replacements of the path by processes of this
// host that are gone left beside it; returns how many.
size_t RemoveLeftovers(const std::string& path);

// Makes the renames into a folder durable.
void FlushFolder(const std::string& folder);

}  // namespace vx
