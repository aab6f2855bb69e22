// A folder opened for reading its entries, closed on every path out of a
// scope.
#pragma once

#include <dirent.h>

#include <string>

#include "platform/UniqueHandle.h"

namespace vx {

using UniqueDirectory = UniqueHandle<CallCloser<DIR*, &closedir>>;

// Opens the folder; an empty owner when it cannot be read.
inline UniqueDirectory OpenDirectory(const std::string& folder) {
    return UniqueDirectory(opendir(folder.c_str()));
}

}  // namespace vx
