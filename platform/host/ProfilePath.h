// Where the host profile functions find an INI file named the Windows way:
// as Windows finds it for a process whose current folder is the Windows
// folder, with the host folders that stand for that folder and for drive C:.
//
// - A name without any '\' or '/' lies in the Windows folder.
// - '\' and '/' both separate folders; "." and ".." are taken apart from
//   the name as Windows does, before anything is looked up.
// - A relative name with folders ("SYSTEM\vexaro.ini", "C:SYSTEM\x.ini")
//   lies under the Windows folder; one that climbs out of it with ".." is
//   refused.
// - "\x" and "C:\x" (any letter case) lie under the drive root; ".." stops
//   at the root as on Windows. Without a drive root they are refused, and
//   the refusal says that the drive is missing.
// - Other drive letters, network and device names ("\\server\share",
//   "\\.\x"), names that start with '/' (a path of the host, not of
//   Windows), and names with characters that Windows file names cannot hold
//   are refused.
// - A symbolic link (the file itself or a folder on its way) is followed
//   only where it stays inside the Windows folder or the drive root, as
//   their real paths are; a link that leads out of both, or to nothing, is
//   refused. Whoever wants such a file read copies it in.
// So no name reaches outside the two folders.
//
// For tests and programs that name files on the host, hostPaths makes a
// name that starts with either separator a host path from the root of the
// file system.
//
// Host file names are case-sensitive, Windows ones are not: when a part of
// the path does not exist as spelled, an entry of its folder whose name
// differs only in letter case stands for it.
#pragma once

#include <string>

namespace vx {

struct ProfileFolders {
    std::string windowsDir;  // the Windows folder, a host path
    std::string driveRoot;   // the host folder that stands for "C:\"; empty for none
    bool hostPaths = false;  // a name starting with '\' or '/' is a host path
};

// Why a name resolves or does not.
enum class ProfilePathVerdict {
    kResolved,
    kEmpty,          // no name, or one without a file name ("dir\")
    kNeedsDrive,     // "\x" or "C:\x" without a drive root
    kOtherDrive,     // a drive other than C:
    kNetwork,        // "\\server\share\x", "\\.\x", "\\?\x"
    kHostPath,       // starts with '/': a path of this host
    kOutsideFolder,  // a relative name whose ".." leaves the Windows folder
    kBadName,        // characters that a Windows file name cannot hold
    kLinkOutside,    // a symbolic link on the way leads out of both folders
    kBrokenLink,     // a symbolic link on the way leads to nothing
};

// The host path of the file and the verdict; hostPath is set only when
// resolved. Without matchLetterCase the path is the name as given, even
// where only another spelling of it exists (MatchProfileLetterCase finds
// that one). realPath, when given, receives where a link that is refused
// leads.
ProfilePathVerdict ClassifyProfilePath(const char* fileName, const ProfileFolders& folders,
                                       std::string* hostPath, bool matchLetterCase = true,
                                       std::string* realPath = nullptr);
// The host path of the file; false when the name is empty or refused.
bool ResolveProfilePath(const char* fileName, const ProfileFolders& folders, std::string* hostPath,
                        bool matchLetterCase = true);
// Why a name is refused, for a person: "is a path on drive D:, ...".
std::string DescribeProfilePathVerdict(ProfilePathVerdict verdict);
// The existing spelling of the path: each part as it exists, else the entry
// of its folder whose name differs only in letter case, else as given.
std::string MatchProfileLetterCase(const std::string& path);

}  // namespace vx
