#include "HostProfile.h"

#include <cstring>
#include <utility>

#include "ProfileCache.h"
#include "ProfileInteger.h"

namespace vx {

namespace {

const char kDefaultFile[] = "win.ini";

bool HasLineBreak(const char* text) {
    return text != nullptr && std::strpbrk(text, "\r\n") != nullptr;
}

}  // namespace

HostProfile::HostProfile(std::string windowsDir) : HostProfile(std::move(windowsDir), {}) {}

HostProfile::HostProfile(std::string windowsDir, std::string driveRoot)
    : m_folders{std::move(windowsDir), std::move(driveRoot)} {
    ProfileCache::Process().AddUser();
}

HostProfile::~HostProfile() {
    ProfileCache::Process().RemoveUser();
}

HostProfile::HostProfile(ProfileFolders folders) : m_folders(std::move(folders)) {
    ProfileCache::Process().AddUser();
}

uint32_t HostProfile::GetInt(const char* section, const char* key, int32_t defaultValue,
                             const char* file) {
    const uint32_t fallback = static_cast<uint32_t>(defaultValue);
    if (section == nullptr || key == nullptr) return fallback;
    // The name as given is tried first: where it opens, it is also the
    // spelling that matching the letter case would have chosen.
    std::string path;
    if (!ResolveProfilePath(file != nullptr ? file : kDefaultFile, m_folders, &path, false)) {
        return fallback;
    }
    std::string value;
    bool found = false;
    ProfileCache::Process().Read(path, section, key, &value, &found, MatchProfileLetterCase);
    if (!found) return fallback;
    return ProfileInteger(value, defaultValue);
}

int HostProfile::WriteString(const char* section, const char* key, const char* value,
                             const char* file) {
    if (section == nullptr) return 0;
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return 0;
    const char* name = file != nullptr ? file : kDefaultFile;
    std::string path;
    if (!ResolveProfilePath(name, m_folders, &path, false)) return 0;
    ProfileEdit edit;
    edit.section = section;
    if (key == nullptr) {
        edit.kind = ProfileEdit::Kind::kDeleteSection;
    } else if (value == nullptr) {
        edit.kind = ProfileEdit::Kind::kDeleteKey;
        edit.key = key;
    } else {
        edit.key = key;
        edit.value = value;
    }
    return ProfileCache::Process().Write(path, name, edit, MatchProfileLetterCase);
}

}  // namespace vx
