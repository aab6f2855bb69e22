// The INI profile functions over real files, with the semantics of
// GetPrivateProfileIntA and WritePrivateProfileStringA on Windows NT (which
// Wine follows), but writing a file the careful way: only the lines that
// change are touched, and the file is replaced atomically.
//
// Where the host differs from Windows:
// - a null section or key makes GetInt return the default (Windows would
//   read the list of section or key names as the number);
// - a write refuses a section, key or value that holds a line break
//   (Windows would write it and so make new lines of the file);
// - a write that changes nothing neither creates nor rewrites the file;
// - file names map to host paths as ProfilePath.h says;
// - files are kept parsed and writes reach the disk at write-back points,
//   as ProfileCache.h says; a write that the file refuses at once
//   (read-only, missing folder) gives 0, one that fails at the write-back
//   is reported there.
#pragma once

#include <string>

#include "ProfileCache.h"
#include "ProfilePath.h"
#include "platform/Profile.h"

namespace vx {

class HostProfile final : public IProfile {
  public:
    // windowsDir: the folder of file names without a path.
    explicit HostProfile(std::string windowsDir);
    // driveRoot: the host folder that stands for "C:\".
    HostProfile(std::string windowsDir, std::string driveRoot);
    explicit HostProfile(ProfileFolders folders);
    // The last profile of the process writes back what is kept.
    ~HostProfile() override;
    HostProfile(const HostProfile&) = delete;
    HostProfile& operator=(const HostProfile&) = delete;

    VX_OVERRIDES(VX_PROFILE_METHODS)

  private:
    ProfileFolders m_folders;
};

}  // namespace vx
