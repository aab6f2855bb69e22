// A profile that passes every call on to another one and keeps a log of
// the integers written, with the value that each key held before.
#pragma once

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
};

class RecordingProfile : public vx::ForwardingPlatform {
  public:
    explicit RecordingProfile(vx::IProfile& inner)
        : ForwardingPlatform(vx::PlatformServices{nullptr, &inner}) {}

    int WriteString(const char* section, const char* key, const char* value,
                    const char* file) override;

    const std::vector<IniWrite>& Writes() const { return m_writes; }

  private:
    std::vector<IniWrite> m_writes;
};

// Whether a write changed the integer that the key holds.
bool Changes(const IniWrite& write);

}  // namespace vexaro
