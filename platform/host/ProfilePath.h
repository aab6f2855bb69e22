// Where the host profile functions find an INI file named the Windows way.
//
// - A name without any '\' or '/' lies in the Windows folder, as on Windows.
// - '\' and '/' both separate folders.
// - "C:\..." (any letter case) lies under the drive root when one is set;
//   other drive letters, drive-relative names ("C:x.ini") and network names
//   ("\\server\share") are refused.
// - A name that starts with a separator is a host path from the root of the
//   file system; any other name with a separator is relative to the current
//   folder, as on Windows.
// - Host file names are case-sensitive, Windows ones are not: when the file
//   does not exist as spelled, a file of the same folder whose name differs
//   only in letter case stands for it.
#pragma once

#include <string>

namespace vx {

struct ProfileFolders {
    std::string windowsDir;  // the Windows folder, a host path
    std::string driveRoot;   // the host folder that stands for "C:\"; empty for none
};

// The host path of the file; false when the name is empty or refused.
// Without matchLetterCase the path is the name as given, even where only
// another spelling of it exists (MatchProfileLetterCase finds that one).
bool ResolveProfilePath(const char* fileName, const ProfileFolders& folders, std::string* hostPath,
                        bool matchLetterCase = true);
// The existing spelling of the path's file name: the path itself when it
// exists, else the folder's entry whose name differs only in letter case,
// else the path itself.
std::string MatchProfileLetterCase(const std::string& path);

}  // namespace vx
