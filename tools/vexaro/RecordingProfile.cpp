#include "RecordingProfile.h"

#include <cstdlib>

namespace vexaro {

int RecordingProfile::WriteString(const char* section, const char* key, const char* value,
                                  const char* file) {
    if (section != nullptr && key != nullptr && value != nullptr && file != nullptr) {
        IniWrite write;
        write.file = file;
        write.section = section;
        write.key = key;
        // A key that is absent gives back whichever default is asked for.
        uint32_t zero = ForwardingPlatform::GetInt(section, key, 0, file);
        uint32_t one = ForwardingPlatform::GetInt(section, key, 1, file);
        write.existed = zero == one;
        write.before = static_cast<int32_t>(zero);
        write.after = value;
        const int result = ForwardingPlatform::WriteString(section, key, value, file);
        write.written = result != 0;
        m_writes.push_back(write);
        return result;
    }
    return ForwardingPlatform::WriteString(section, key, value, file);
}

bool Changes(const IniWrite& write) {
    if (!write.existed) return true;
    return std::strtol(write.after.c_str(), nullptr, 10) != write.before;
}

}  // namespace vexaro
