// Taking keys and values out of a registry file without writing it anew:
// the lines that set a removed value, and the blocks of a removed key and
// of its subkeys, leave the file; every other byte (comments, blank lines,
// deletion lines, the order of keys and values, line ends, the file's
// text encoding) stays as it was.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "RegFile.h"

namespace vx::regfile {

struct Removals {
    // Key path (with its root's full name, as Parse gives it) and value
    // name ("" for the default value); letters compare without regard to case.
    std::vector<std::pair<std::string, std::string>> values;
    // Key paths; their subkeys go with them.
    std::vector<std::string> keys;
};

// The bytes of a registry file with the removals made. Lines that delete
// ("name"=- and [-path]) stay. False with the parse error when the bytes
// are not a registry file.
bool RemoveFromFile(const std::string& bytes, const Removals& removals, std::string* out,
                    ParseError* error);

}  // namespace vx::regfile
