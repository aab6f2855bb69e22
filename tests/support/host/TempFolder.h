// Fresh folders for the files of a test or a benchmark run.
#pragma once

#include <stdlib.h>

#include <string>
#include <vector>

namespace vxtest {

// Makes an empty folder "<prefix>-XXXXXX" under $TMPDIR, or /tmp when that
// is unset or empty; returns its path (no trailing '/'), or an empty text
// when it cannot be made.
inline std::string MakeTempFolder(const std::string& prefix) {
    const char* base = getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) != nullptr ? std::string(name.data()) : std::string();
}

}  // namespace vxtest
