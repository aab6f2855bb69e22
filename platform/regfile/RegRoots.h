// The root keys that a registry file may name, with regedit's spelling.
#pragma once

#include <string>

namespace vx::regfile {

// The full name of a root key ("HKEY_LOCAL_MACHINE") for its full name or
// its abbreviation ("HKLM"), in any letter case; empty when it is none.
std::string CanonicalRoot(const std::string& name);

}  // namespace vx::regfile
