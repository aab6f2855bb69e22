// A profile that passes every call on to another one and keeps a log of
// the integers written, with the value that each key held before. In a dry
// run it writes nothing: the writes are logged, and reads of a key written
// give what was written, as they would after real writes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ForwardingPlatform.h"

namespace vexaro {

struct IniWrite {
    std::string file;  // as the Association data names it
    std::string section;
    std::string key;
    bool existed = false;  // whether the key held a value before
    int32_t before = 0;    // the integer it held, as the page reads it
    std::string after;     // the text written
    bool written = true;   // whether the write succeeded
    std::string cause;     // why it did not: the system's text
};

class RecordingProfile : public vx::ForwardingPlatform {
  public:
    explicit RecordingProfile(vx::IProfile& inner)
        : ForwardingPlatform(vx::PlatformServices{nullptr, &inner}) {}

    uint32_t GetInt(const char* section, const char* key, int32_t defaultValue,
                    const char* file) override;
    int WriteString(const char* section, const char* key, const char* value,
                    const char* file) override;

    const std::vector<IniWrite>& Writes() const { return m_writes; }
    // From now on writes are only recorded, none reaches the file.
    void StartDryRun() { m_dryRun = true; }

  private:
    std::vector<IniWrite> m_writes;
    bool m_dryRun = false;
    std::map<std::string, std::string> m_pending;  // dry run: file, section, key -> text
};

// Whether a write changed the integer that the key holds.
bool Changes(const IniWrite& write);

}  // namespace vexaro
