#include "RecordingProfile.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "ErrorReport.h"

namespace vexaro {

namespace {

// The key of a dry run's write: file, section and key without regard to
// letter case, as the profile functions compare them.
std::string PendingKey(const char* file, const char* section, const char* key) {
    std::string id = std::string(file) + '\0' + section + '\0' + key;
    for (char& c : id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return id;
}

}  // namespace

uint32_t RecordingProfile::GetInt(const char* section, const char* key, int32_t defaultValue,
                                  const char* file) {
    if (m_dryRun && section != nullptr && key != nullptr && file != nullptr) {
        auto pending = m_pending.find(PendingKey(file, section, key));
        if (pending != m_pending.end()) {
            return static_cast<uint32_t>(std::strtol(pending->second.c_str(), nullptr, 10));
        }
    }
    return ForwardingPlatform::GetInt(section, key, defaultValue, file);
}

int RecordingProfile::WriteString(const char* section, const char* key, const char* value,
                                  const char* file) {
    if (section != nullptr && key != nullptr && value != nullptr && file != nullptr) {
        IniWrite write;
        write.file = file;
        write.section = section;
        write.key = key;
        // A key that is absent gives back whichever default is asked for.
        uint32_t zero = GetInt(section, key, 0, file);
        uint32_t one = GetInt(section, key, 1, file);
        write.existed = zero == one;
        write.before = static_cast<int32_t>(zero);
        write.after = value;
        int result = 1;
        if (m_dryRun) {
            m_pending[PendingKey(file, section, key)] = value;
        } else {
            errno = 0;
            result = ForwardingPlatform::WriteString(section, key, value, file);
            if (result == 0) {
                // A file without write permission bits is read-only even
                // for a process that may write anything; no call failed then.
                write.cause = errno != 0 ? SystemError(errno) : "read-only file";
            }
        }
        write.written = result != 0;
        m_writes.push_back(write);
        return result;
    }
    if (m_dryRun) return 1;
    return ForwardingPlatform::WriteString(section, key, value, file);
}

bool Changes(const IniWrite& write) {
    if (!write.existed) return true;
    return std::strtol(write.after.c_str(), nullptr, 10) != write.before;
}

}  // namespace vexaro
