// Imports a registry file the way an installer's script does: regedit /S.
#pragma once

#include <string>

namespace displayhost {

// Runs "regedit /S file" and waits for it; false when it could not run or failed.
bool ImportRegistryFile(const std::string& file);

}  // namespace displayhost
