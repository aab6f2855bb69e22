#include "ProfilePath.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

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

// The entry of the path's folder whose name equals the path's last part
// but for letter case; the path itself when it exists or nothing matches.
std::string MatchLetterCase(const std::string& path) {
    if (Exists(path)) return path;
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return path;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return path;
    std::vector<std::string> matches;
    while (const dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) matches.push_back(entry->d_name);
    }
    closedir(dir);
    if (matches.empty()) return path;
    // Several spellings may exist on the host; take the same one every time.
    std::sort(matches.begin(), matches.end());
    return slash == std::string::npos ? matches.front() : folder + matches.front();
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string MatchProfileLetterCase(const std::string& path) {
    return MatchLetterCase(path);
}

bool ResolveProfilePath(const char* fileName, const ProfileFolders& folders, std::string* hostPath,
                        bool matchLetterCase) {
    if (fileName == nullptr || *fileName == '\0') return false;
    std::string name(fileName);
    std::replace(name.begin(), name.end(), '\\', '/');

    std::string path;
    if (name.find('/') == std::string::npos && name.find(':') == std::string::npos) {
        path = JoinPath(folders.windowsDir, name);
    } else if (name.size() >= 2 && IsDriveLetter(name[0]) && name[1] == ':') {
        if (name.size() < 3 || name[2] != '/') return false;
        if (name[0] != 'C' && name[0] != 'c') return false;
        if (folders.driveRoot.empty()) return false;
        path = JoinPath(folders.driveRoot, name.substr(3));
    } else if (name.compare(0, 2, "//") == 0) {
        return false;
    } else {
        path = name;
    }
    *hostPath = matchLetterCase ? MatchLetterCase(path) : path;
    return true;
}

}  // namespace vx
