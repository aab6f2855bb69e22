// The host profile functions' copy of the INI files, and when their writes
// reach the disk.
//
// Reading. Each INI file that is read is kept parsed (its bytes and an
// index of its keys), keyed by its host path, together with the stamp of
// the file it came from: device, inode, size, modification time in
// nanoseconds, mode and owner. Every profile call makes one stat of the
// file: while the stamp is unchanged the copy answers; otherwise the file
// is read again, so a change by another process is seen at the next call.
// A change made within the same tick of the file system's clock as the
// read, keeping the size, would keep the stamp too: a copy whose file is not
// yet older than the clock was when it was read is therefore read again,
// and compared, at every use until it is (a tick, on a file system with
// nanosecond times; two seconds where the times are whole milliseconds or
// coarser).
//
// Writing. A write edits the copy and is kept there, with the list of the
// edits, until a write-back; reads in between see it. When the file changed
// on the disk in the meantime, it is read again and the kept edits are made
// anew on what is there now, so another writer's change is not lost. A
// read-only file, a file in a missing folder and a path that is no regular
// file refuse the write at once, as before.
//
// Write-back. Each file with kept edits is replaced once (ReplaceFileAtomically:
// one new file, one fsync, one rename; each folder flushed once per
// write-back); a file that the edits leave byte for byte as it is on the
// disk is not touched, and a file that did not exist and is still empty is
// not created. A file whose write-back fails is left as it was and its copy
// is dropped; every name under which it was written since the last
// write-back is kept as unwritten until TakeUnwrittenProfileFiles. The
// write-back points, all on the host side (the Windows backend calls the
// system's own functions and keeps no copy):
// - WriteBackProfileFiles(), which the headless sheet calls at the end of
//   the page's Apply and before the restart question, a restart or a
//   display-mode change, and which the vexaro tool calls at the end of apply;
// - a write to a further file while kMaxPendingFiles files hold edits: the
//   file written least recently is written back first;
// - the destruction of the last HostProfile (the copies are dropped then),
//   and the end of the process.
// A crash before a write-back loses only writes whose Apply had not
// finished, and so had not reported success.
#pragma once

#include <sys/stat.h>
#include <time.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "IniDocument.h"

namespace vx {

enum class ProfileFileState {
    kMissing,   // no file of that name, and no kept edits for one
    kNoFolder,  // the folder of the file is missing
    kReadable,  // in the copy
    kReadOnly,  // in the copy, but not to be written (no write permission)
    kFailed,    // something that is not a readable regular file
};

// The edits of WritePrivateProfileString.
struct ProfileEdit {
    enum class Kind { kSet, kDeleteKey, kDeleteSection };
    Kind kind = Kind::kSet;
    std::string section;
    std::string key;
    std::string value;
};

class ProfileCache {
  public:
    static constexpr size_t kMaxPendingFiles = 16;
    static constexpr size_t kMaxCachedFiles = 64;

    // The one copy of the process.
    static ProfileCache& Process();

    ProfileCache() = default;
    // Writes back what is kept.
    ~ProfileCache();
    ProfileCache(const ProfileCache&) = delete;
    ProfileCache& operator=(const ProfileCache&) = delete;

    // The users of the copy: when the last one goes, everything is written
    // back and the copies are dropped.
    void AddUser();
    void RemoveUser();

    // The calls below take the lock themselves.
    // The key's trimmed value text, as GetPrivateProfileInt sees it; the
    // state of the file. A missing file is looked up under the spelling
    // that matchLetterCase gives (it may look at the disk).
    ProfileFileState Read(const std::string& path, const std::string& section,
                          const std::string& key, std::string* value, bool* found,
                          std::string (*matchLetterCase)(const std::string&));
    // One write; 1 when it is made (kept for the write-back), 0 when the
    // file refuses it. writer is the file name as the caller gave it.
    int Write(const std::string& path, const std::string& writer, const ProfileEdit& edit,
              std::string (*matchLetterCase)(const std::string&));
    // Writes back every file with kept edits.
    void WriteBack();
    // The names of the files whose write-back failed since the last call,
    // each with what failed.
    std::map<std::string, std::string> TakeUnwritten();

  private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified = {0, 0};
        mode_t mode = 0;
        uid_t owner = 0;
        gid_t group = 0;
        bool operator==(const Stamp& other) const;
    };
    struct File {
        std::string path;
        bool exists = false;  // on the disk, as base
        Stamp stamp;
        timespec readAt = {0, 0};  // the clock before base was read
        std::string base;          // the bytes on the disk
        IniIndex index;            // of base, or of document when there is one
        bool indexStale = false;
        int writable = -1;                      // -1: not yet asked
        std::unique_ptr<IniDocument> document;  // base with the kept edits
        std::vector<ProfileEdit> edits;         // kept for the write-back
        std::set<std::string> writers;          // names they came under
        uint64_t lastUse = 0;
        uint64_t lastWrite = 0;
        bool Pending() const { return document != nullptr; }
    };

    // Brings the copy of the path up to date with one stat; null when the
    // file neither exists nor has kept edits (*state tells why).
    File* Open(const std::string& path, ProfileFileState* state);
    bool Load(File* file);
    bool Settled(const File& file) const;
    // Whether the edit changed the text.
    bool ApplyEdit(File* file, const ProfileEdit& edit);
    const IniIndex& Index(File* file);
    bool Writable(File* file);
    // A kept-edits file of another spelling of the path that is not on the
    // disk yet; the path itself when there is none.
    std::string PendingSpelling(const std::string& path) const;
    // Writes back the file written least recently when kMaxPendingFiles
    // other files hold edits.
    void MakeRoomFor(const std::string& path);
    void WriteBackLocked();
    bool WriteBackFile(File* file, std::set<std::string>* folders);
    // Drops the copy; kept edits become unwritten, for the cause given.
    void Forget(const std::string& path, const std::string& cause = "");
    void LimitCopies();

    std::mutex m_lock;
    std::unordered_map<std::string, std::unique_ptr<File>> m_files;
    std::map<std::string, std::string> m_unwritten;
    uint64_t m_clock = 0;
    int m_users = 0;
};

// The write-back point of the host profile functions (see above).
void WriteBackProfileFiles();
// The names (as the writers gave them) of the INI files whose writes could
// not be written back since the last call.
std::set<std::string> TakeUnwrittenProfileFiles();
// The same, each name with what failed (the system's reason where it gave one).
std::map<std::string, std::string> TakeUnwrittenProfileFileCauses();

}  // namespace vx
