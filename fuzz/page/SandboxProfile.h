// The INI profile functions of the page under test, kept inside one folder:
// a file name of letters, digits, '_', '-' and '.' (not starting with '.')
// stays as it is; any other name (paths, drive letters, blanks, high bytes)
// stands for a file in the folder named after a hash of the whole name.
// Every write is recorded with the host file it reached.
#pragma once

#include <string>
#include <vector>

#include "platform/host/HostProfile.h"

namespace vxfuzz {

struct ProfileWrite {
    std::string file;  // as the page passed it
    std::string path;  // the host file
    std::string section;
    std::string key;
    std::string value;
};

class SandboxProfile final : public vx::IProfile {
  public:
    explicit SandboxProfile(std::string folder);

    uint32_t GetInt(const char* section, const char* key, int32_t defaultValue,
                    const char* file) override;
    int WriteString(const char* section, const char* key, const char* value,
                    const char* file) override;

    const std::vector<ProfileWrite>& Writes() const { return m_writes; }

  private:
    std::string m_folder;
    vx::HostProfile m_profile;
    std::vector<ProfileWrite> m_writes;
};

}  // namespace vxfuzz
