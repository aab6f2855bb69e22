#include "ProfilePath.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "Directory.h"

namespace vx {

namespace {

std::string JoinPath(const std::string& folder, const std::string& rest) {
    if (folder.empty()) return rest;
    if (folder.back() == '/') return folder + rest;
    return folder + "/" + rest;
}

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The entry of the folder whose name equals name but for letter case; the
// same spelling every time when the host holds several. Empty for none.
std::string EntryNoCase(const std::string& folder, const std::string& name) {
    const UniqueDirectory dir = OpenDirectory(folder.empty() ? "." : folder);
    if (!dir) return "";
    std::vector<std::string> matches;
    while (const dirent* entry = readdir(dir.get())) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) matches.push_back(entry->d_name);
    }
    if (matches.empty()) return "";
    std::sort(matches.begin(), matches.end());
    return matches.front();
}

// Each part of the path as it exists, matched for letter case where it
// does not exist as spelled; the rest as given from the first part that
// matches nothing.
std::string MatchLetterCase(const std::string& path) {
    if (path.empty() || Exists(path)) return path;
    std::string result = path[0] == '/' ? "/" : "";
    size_t start = path[0] == '/' ? 1 : 0;
    bool matching = true;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        std::string part = path.substr(start, slash - start);
        std::string folder = result;
        if (!part.empty() && matching && !Exists(JoinPath(folder, part))) {
            std::string found = EntryNoCase(folder, part);
            if (found.empty()) {
                matching = false;
            } else {
                part = found;
            }
        }
        result = JoinPath(folder, part);
        if (slash == path.size()) break;
        start = slash + 1;
    }
    return result;
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Characters that no Windows file name holds (':' is looked at apart).
bool HasBadCharacter(const std::string& name) {
    for (unsigned char c : name) {
        if (c < 0x20 || std::strchr("<>\"|?*", c) != nullptr) return true;
    }
    return false;
}

// The parts of a path, with "." dropped and ".." taking away the part
// before it. A ".." with nothing left to take away sets climbed.
std::vector<std::string> Parts(const std::string& path, bool* climbed) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (parts.empty()) {
                *climbed = true;
            } else {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    return parts;
}

std::string JoinParts(const std::string& base, const std::vector<std::string>& parts) {
    std::string path = base;
    for (const std::string& part : parts) path = JoinPath(path, part);
    return path;
}

bool EndsInFolder(const std::string& name) {
    if (IsSeparator(name.back())) return true;
    size_t last = name.find_last_of("\\/");
    std::string tail = last == std::string::npos ? name : name.substr(last + 1);
    return tail == "." || tail == "..";
}

// The real path of an existing file or folder; false when it cannot be
// resolved (a link to nothing, a loop, a folder that cannot be searched).
bool RealPath(const std::string& path, std::string* real) {
    char resolved[PATH_MAX];
    if (realpath(path.empty() ? "." : path.c_str(), resolved) == nullptr) return false;
    *real = resolved;
    return true;
}

// Where the path leads with every symbolic link followed: the real path of
// its longest existing part, with the parts that do not exist yet after it.
// False when a link on the way leads to nothing.
bool RealLocation(const std::string& path, std::string* real) {
    std::string existing = path;
    std::string rest;
    for (;;) {
        struct stat info;
        if (lstat(existing.empty() ? "." : existing.c_str(), &info) == 0) {
            if (!RealPath(existing, real)) return false;
            if (!rest.empty()) *real = JoinPath(*real, rest);
            return true;
        }
        if (existing.empty() || existing == "/") return false;
        const size_t slash = existing.find_last_of('/');
        const std::string part = slash == std::string::npos ? existing : existing.substr(slash + 1);
        rest = rest.empty() ? part : part + "/" + rest;
        existing = slash == std::string::npos ? "" : existing.substr(0, slash == 0 ? 1 : slash);
    }
}

bool IsWithin(const std::string& path, const std::string& folder) {
    if (folder == "/") return true;
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

// Whether a part of the path below the folder it was resolved under is a
// symbolic link; what lies above is the user's own naming of the folder.
bool LinkBelow(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.compare(0, folder.size(), folder) != 0) return true;
    size_t start = folder.size();
    while (start < path.size() && path[start] == '/') ++start;
    if (start == folder.size() && folder.back() != '/') return true;
    while (start < path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        struct stat info;
        // Nothing further exists, so nothing further is a link.
        if (lstat(path.substr(0, slash).c_str(), &info) != 0) return false;
        if (S_ISLNK(info.st_mode)) return true;
        start = slash + 1;
    }
    return false;
}

// Whether a resolved path stays inside the folders once links are
// followed; a folder that does not exist holds no links. Only a path with
// a link below its folder is resolved in full.
ProfilePathVerdict Containment(const std::string& path, const std::string& base,
                               const ProfileFolders& folders, std::string* realPath) {
    if (!LinkBelow(path, base)) return ProfilePathVerdict::kResolved;
    std::string real;
    if (!RealLocation(path, &real)) return ProfilePathVerdict::kBrokenLink;
    bool anyFolder = false;
    for (const std::string* folder : {&folders.windowsDir, &folders.driveRoot}) {
        std::string realFolder;
        if (folder->empty() || !RealPath(*folder, &realFolder)) continue;
        anyFolder = true;
        if (IsWithin(real, realFolder)) return ProfilePathVerdict::kResolved;
    }
    if (!anyFolder) return ProfilePathVerdict::kResolved;
    if (realPath != nullptr) *realPath = real;
    return ProfilePathVerdict::kLinkOutside;
}

}  // namespace

std::string MatchProfileLetterCase(const std::string& path) {
    return MatchLetterCase(path);
}

ProfilePathVerdict ClassifyProfilePath(const char* fileName, const ProfileFolders& folders,
                                       std::string* hostPath, bool matchLetterCase,
                                       std::string* realPath) {
    if (fileName == nullptr || *fileName == '\0') return ProfilePathVerdict::kEmpty;
    const std::string name(fileName);
    if (HasBadCharacter(name)) return ProfilePathVerdict::kBadName;
    if (EndsInFolder(name)) return ProfilePathVerdict::kEmpty;

    std::string path;
    const std::string* base = &folders.windowsDir;
    if (folders.hostPaths && IsSeparator(name[0]) && !(name.size() > 1 && IsSeparator(name[1]))) {
        path = name;
        std::replace(path.begin(), path.end(), '\\', '/');
    } else {
        if (name.size() > 1 && IsSeparator(name[0]) && IsSeparator(name[1])) {
            return ProfilePathVerdict::kNetwork;
        }
        if (name[0] == '/') return ProfilePathVerdict::kHostPath;
        std::string rest = name;
        const bool onDrive = name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == ':';
        if (onDrive) {
            if (name[0] != 'C' && name[0] != 'c') return ProfilePathVerdict::kOtherDrive;
            rest = name.substr(2);
        }
        if (rest.find(':') != std::string::npos) return ProfilePathVerdict::kBadName;
        bool climbed = false;
        const std::vector<std::string> parts = Parts(rest, &climbed);
        if (parts.empty()) return ProfilePathVerdict::kEmpty;
        if (!rest.empty() && IsSeparator(rest[0])) {
            // From the root of the drive; ".." stops there.
            if (folders.driveRoot.empty()) return ProfilePathVerdict::kNeedsDrive;
            path = JoinParts(folders.driveRoot, parts);
            base = &folders.driveRoot;
        } else {
            // From the current folder, which is the Windows folder.
            if (climbed) return ProfilePathVerdict::kOutsideFolder;
            path = JoinParts(folders.windowsDir, parts);
        }
    }
    if (matchLetterCase) path = MatchLetterCase(path);
    if (!folders.hostPaths) {
        // Looking at the links leaves errno as it was: callers report the
        // reason of the write that follows.
        const int saved = errno;
        const ProfilePathVerdict links = Containment(path, *base, folders, realPath);
        errno = saved;
        if (links != ProfilePathVerdict::kResolved) return links;
    }
    *hostPath = path;
    return ProfilePathVerdict::kResolved;
}

bool ResolveProfilePath(const char* fileName, const ProfileFolders& folders, std::string* hostPath,
                        bool matchLetterCase) {
    return ClassifyProfilePath(fileName, folders, hostPath, matchLetterCase) ==
           ProfilePathVerdict::kResolved;
}

std::string DescribeProfilePathVerdict(ProfilePathVerdict verdict) {
    struct Description {
        ProfilePathVerdict verdict;
        const char* text;
    };
    static const Description kDescriptions[] = {
        {ProfilePathVerdict::kResolved, "resolves"},
        {ProfilePathVerdict::kEmpty, "names no file"},
        {ProfilePathVerdict::kNeedsDrive, "is a path on drive C:, for which no folder is given"},
        {ProfilePathVerdict::kOtherDrive,
         "is on a drive other than C:, which is never read or written"},
        {ProfilePathVerdict::kNetwork,
         "is a network or device name, which is never read or written"},
        {ProfilePathVerdict::kHostPath,
         "is a path of this computer, not of Windows: never read or written"},
        {ProfilePathVerdict::kOutsideFolder,
         "leaves the Windows folder through \"..\": never read or written"},
        {ProfilePathVerdict::kBadName, "holds characters that a Windows file name cannot hold"},
        {ProfilePathVerdict::kLinkOutside,
         "leads out of the Windows folder through a symbolic link: never read or written"},
        {ProfilePathVerdict::kBrokenLink,
         "leads through a symbolic link to nothing: never read or written"},
    };
    for (const Description& d : kDescriptions) {
        if (d.verdict == verdict) return d.text;
    }
    return "is refused";
}

}  // namespace vx
