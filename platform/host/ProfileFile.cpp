#include "ProfileFile.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "FileLock.h"

namespace vx {

namespace {

// A file descriptor closed on every path out of a scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now, reporting whether the last writes reached the file.
    bool Close() {
        int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

  private:
    int m_fd;
};

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

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
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

// Opens a new file next to the target under a name nobody else uses.
int CreateSibling(const std::string& target, std::string* name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = target + ".~" + std::to_string(getpid()) + "-" + std::to_string(counter++);
        int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const std::string& folder) {
    Descriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) fsync(dir.Get());
}

}  // namespace

ProfileFileState ReadProfileFile(const std::string& path, std::string* text, bool writable) {
    text->clear();
    Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        if (errno != ENOENT && errno != ENOTDIR) return ProfileFileState::kFailed;
        struct stat folder;
        const bool hasFolder =
            stat(FolderOf(path).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
        return hasFolder ? ProfileFileState::kMissing : ProfileFileState::kNoFolder;
    }
    struct stat info;
    if (fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return ProfileFileState::kFailed;
    char buffer[4096];
    for (;;) {
        ssize_t got = read(file.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return ProfileFileState::kFailed;
        if (got == 0) break;
        text->append(buffer, static_cast<size_t>(got));
    }
    // The read-only attribute of Windows: no write permission bit at all,
    // which holds even for a process that may write anything.
    if (!writable) return ProfileFileState::kReadable;
    const bool readOnly = (info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
    return readOnly ? ProfileFileState::kReadOnly : ProfileFileState::kReadable;
}

bool ReplaceProfileFile(const std::string& path, const std::string& text) {
    std::string target = path;
    struct stat info;
    bool exists = lstat(path.c_str(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) == nullptr) return false;
        target = resolved;
        exists = stat(target.c_str(), &info) == 0;
    }
    if (exists && !S_ISREG(info.st_mode)) return false;

    std::string siblingName;
    Descriptor sibling(CreateSibling(target, &siblingName));
    if (sibling.Get() < 0) return false;
    TemporaryFile temporary(siblingName);
    // A run that holds the old file keeps holding the name once the new
    // file has taken it.
    FileLocks* locks = ActiveFileLocks();
    if (locks != nullptr && !locks->Adopt(sibling.Get())) return false;
    if (exists) {
        if (fchmod(sibling.Get(), info.st_mode & 07777) != 0) return false;
        // Only a privileged process may hand the new file to the old owner;
        // any other keeps it as its own.
        if (fchown(sibling.Get(), info.st_uid, info.st_gid) != 0 && errno != EPERM) return false;
    }
    if (!WriteAll(sibling.Get(), text)) return false;
    if (fsync(sibling.Get()) != 0) return false;
    if (!sibling.Close()) return false;
    if (rename(temporary.Path().c_str(), target.c_str()) != 0) return false;
    temporary.Keep();
    SyncFolder(FolderOf(target));
    return true;
}

}  // namespace vx
