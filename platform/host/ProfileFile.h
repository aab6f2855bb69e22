// Reading an INI file whole, and replacing it whole so that a failure at
// any point leaves either the old or the new contents, never a mix or a
// truncated file.
#pragma once

#include <string>

namespace vx {

enum class ProfileFileState {
    kMissing,   // no file of that name in an existing folder
    kNoFolder,  // the folder of the file is missing
    kReadable,  // read into the text
    kReadOnly,  // read into the text, but not to be written (no write permission)
    kFailed,    // something that is not a readable regular file
};

// A reader that will not write gives writable false: a readable file is
// then kReadable whether it may be written or not.
ProfileFileState ReadProfileFile(const std::string& path, std::string* text, bool writable = true);

// Writes the text to a new file next to the target (same folder, so the
// rename is atomic), flushes it to the disk and renames it over the target,
// keeping the target's permission bits. A symbolic link is followed: the
// file it points to is replaced. While FileLocks are active the new file is
// locked before it takes the name. False, with the target untouched and
// the temporary file removed, on any failure.
bool ReplaceProfileFile(const std::string& path, const std::string& text);

}  // namespace vx
