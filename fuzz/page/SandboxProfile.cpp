#include "SandboxProfile.h"

#include <cstdio>

#include "platform/host/ProfilePath.h"

namespace vxfuzz {

namespace {

bool PlainFileName(const std::string& name) {
    if (name.empty() || name.size() > 64 || name[0] == '.') return false;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
        if (!plain) return false;
    }
    return true;
}

std::string FolderName(const char* file) {
    const std::string name = file;
    if (PlainFileName(name)) return name;
    uint64_t hash = 14695981039346656037ull;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char mapped[32];
    std::snprintf(mapped, sizeof mapped, "h%016llx.ini", static_cast<unsigned long long>(hash));
    return mapped;
}

std::string Text(const char* text) {
    return text != nullptr ? text : "(null)";
}

}  // namespace

SandboxProfile::SandboxProfile(std::string folder)
    : m_folder(folder), m_profile(std::move(folder)) {}

uint32_t SandboxProfile::GetInt(const char* section, const char* key, int32_t defaultValue,
                                const char* file) {
    if (file == nullptr) return static_cast<uint32_t>(defaultValue);
    return m_profile.GetInt(section, key, defaultValue, FolderName(file).c_str());
}

int SandboxProfile::WriteString(const char* section, const char* key, const char* value,
                                const char* file) {
    if (file == nullptr) return 0;
    const std::string name = FolderName(file);
    ProfileWrite write{file, {}, Text(section), Text(key), Text(value)};
    vx::ResolveProfilePath(name.c_str(), vx::ProfileFolders{m_folder, {}}, &write.path);
    m_writes.push_back(write);
    return m_profile.WriteString(section, key, value, name.c_str());
}

}  // namespace vxfuzz
