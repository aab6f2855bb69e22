// Replaces a file's content all at once: the new text goes to a temporary
// file in the same folder, is flushed to the disk and then renamed over the
// old file, so a reader sees either the old file or the whole new one.
#pragma once

#include <string>

namespace vx {

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error);

}  // namespace vx
