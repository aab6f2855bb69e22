#include "HostProfile.h"

#include <cstring>
#include <utility>

#include "IniDocument.h"
#include "ProfileFile.h"
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
    : m_folders{std::move(windowsDir), std::move(driveRoot)} {}

HostProfile::HostProfile(ProfileFolders folders) : m_folders(std::move(folders)) {}

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
    std::string text;
    // Read-only or not makes no difference to a read.
    ProfileFileState state = ReadProfileFile(path, &text, false);
    if (state == ProfileFileState::kMissing) {
        const std::string matched = MatchProfileLetterCase(path);
        if (matched != path) state = ReadProfileFile(matched, &text, false);
    }
    if (state != ProfileFileState::kReadable) return fallback;
    std::string value;
    if (!IniDocument::FindValueIn(text, section, key, &value)) return fallback;
    return ProfileInteger(value, defaultValue);
}

int HostProfile::WriteString(const char* section, const char* key, const char* value,
                             const char* file) {
    if (section == nullptr) return 0;
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return 0;
    std::string path;
    if (!ResolveProfilePath(file != nullptr ? file : kDefaultFile, m_folders, &path)) return 0;
    std::string text;
    ProfileFileState state = ReadProfileFile(path, &text);
    if (state != ProfileFileState::kReadable && state != ProfileFileState::kMissing) return 0;

    // A value that is there already: nothing to edit, nothing to write.
    if (key != nullptr && value != nullptr && IniDocument::HoldsValue(text, section, key, value)) {
        return 1;
    }
    IniDocument document(text);
    bool changed;
    if (key == nullptr) {
        changed = document.DeleteSection(section);
    } else if (value == nullptr) {
        changed = document.DeleteKey(section, key);
    } else {
        changed = document.SetValue(section, key, value);
    }
    // An edit can give back the same bytes (the unnamed section that is only
    // the encoding mark keeps the mark): the file stays untouched then too.
    const std::string edited = document.Text();
    if (!changed || edited == text) return 1;
    return ReplaceProfileFile(path, edited) ? 1 : 0;
}

}  // namespace vx
