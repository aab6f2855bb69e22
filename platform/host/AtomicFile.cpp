#include "AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

#include "Directory.h"
#include "FileDescriptor.h"
#include "FileLock.h"

namespace vx {

namespace {

// Removes a temporary file unless it was put in place.
class TemporaryFile {
  public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    ~TemporaryFile() {
        if (!m_kept) unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return m_path; }
    void Keep() { m_kept = true; }

  private:
    std::string m_path;
    bool m_kept = false;
};

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

constexpr char kSiblingMark[] = ".~";

std::string NameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process of a new file's name "NAME.~PID-N"; 0 when the entry is no
// such name of the file.
pid_t SiblingProcess(const std::string& entry, const std::string& name) {
    const std::string prefix = name + kSiblingMark;
    if (entry.compare(0, prefix.size(), prefix) != 0) return 0;
    const std::string rest = entry.substr(prefix.size());
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == rest.size() || dash > 9) return 0;
    if (rest.find_first_not_of("0123456789-") != std::string::npos ||
        rest.find('-', dash + 1) != std::string::npos) {
        return 0;
    }
    return static_cast<pid_t>(std::stol(rest.substr(0, dash)));
}

// Opens a new file next to the target under a name nobody else uses.
int CreateSibling(const std::string& target, std::string* name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = target + kSiblingMark + std::to_string(getpid()) + "-" + std::to_string(counter++);
        int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool Fail(std::string* error, const AtomicWrite& how, const std::string& what) {
    const std::string reason = std::strerror(errno != 0 ? errno : EIO);
    if (error != nullptr) *error = what + ": " + reason;
    if (how.reason != nullptr) *how.reason = reason;
    return false;
}

}  // namespace

size_t RemoveLeftovers(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string name = NameOf(path);
    std::vector<std::string> gone;
    {
        const UniqueDirectory dir = OpenDirectory(folder);
        if (!dir) return 0;
        while (const dirent* entry = readdir(dir.get())) {
            const pid_t owner = SiblingProcess(entry->d_name, name);
            // A process that is there (kill gives EPERM for another user's)
            // may still be writing its file.
            if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH) gone.push_back(entry->d_name);
        }
    }
    size_t removed = 0;
    for (const std::string& entry : gone) {
        const std::string leftover = folder + "/" + entry;
        struct stat info;
        if (lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            unlink(leftover.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

void FlushFolder(const std::string& folder) {
    FileDescriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) fsync(dir.get());
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error,
                           const AtomicWrite& how) {
    errno = 0;
    std::string target = path;
    struct stat info;
    bool exists = lstat(path.c_str(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) == nullptr) {
            return Fail(error, how, "cannot follow the link " + path);
        }
        target = resolved;
        exists = stat(target.c_str(), &info) == 0;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        errno = EISDIR;
        return Fail(error, how, "cannot replace " + path + ", which is not a regular file");
    }

    RemoveLeftovers(target);
    std::string siblingName;
    FileDescriptor sibling(CreateSibling(target, &siblingName));
    if (sibling.get() < 0)
        return Fail(error, how, "cannot create a temporary file next to " + path);
    TemporaryFile temporary(siblingName);
    // A run that holds the old file keeps holding the name once the new
    // file has taken it.
    FileLocks* locks = ActiveFileLocks();
    if (locks != nullptr && !locks->Adopt(sibling.get())) {
        return Fail(error, how, "cannot lock the new file for " + path);
    }
    if (exists) {
        if (fchmod(sibling.get(), info.st_mode & 07777) != 0) {
            return Fail(error, how, "cannot set the permissions of " + path);
        }
        // Only a privileged process may hand the new file to the old owner;
        // any other keeps it as its own.
        if (fchown(sibling.get(), info.st_uid, info.st_gid) != 0 && errno != EPERM) {
            return Fail(error, how, "cannot set the owner of " + path);
        }
    }
    if (!WriteAll(sibling.get(), bytes)) return Fail(error, how, "cannot write " + path);
    if (fsync(sibling.get()) != 0) return Fail(error, how, "cannot flush " + path);
    if (how.written != nullptr && fstat(sibling.get(), how.written) != 0) {
        return Fail(error, how, "cannot check " + path);
    }
    if (!sibling.Close()) return Fail(error, how, "cannot write " + path);
    if (rename(temporary.Path().c_str(), target.c_str()) != 0) {
        return Fail(error, how, "cannot replace " + path);
    }
    temporary.Keep();
    if (how.folderToFlush != nullptr) {
        *how.folderToFlush = FolderOf(target);
    } else {
        FlushFolder(FolderOf(target));
    }
    return true;
}

}  // namespace vx
