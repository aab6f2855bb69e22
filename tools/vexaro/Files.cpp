#include "Files.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "ErrorReport.h"
#include "Options.h"

namespace vexaro {

namespace {

bool Fail(const std::string& what, const std::string& path, int errnum, std::string* error) {
    *error = what + " " + path + ": " + SystemError(errnum);
    return false;
}

// Closes the descriptor on every path out of a scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now; false when the last writes did not reach the file.
    bool Close() {
        int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

  private:
    int m_fd;
};

bool ReadAll(int fd, std::string* bytes) {
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        bytes->append(buffer, static_cast<size_t>(got));
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A temporary file beside the target, removed unless it was renamed.
class Sibling {
  public:
    explicit Sibling(const std::string& target) {
        std::string pattern = target + ".XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        m_fd = mkstemp(name.data());
        m_name = name.data();
        m_created = m_fd >= 0;
    }
    ~Sibling() {
        if (m_fd >= 0) close(m_fd);
        if (m_created && !m_kept) unlink(m_name.c_str());
    }
    Sibling(const Sibling&) = delete;
    Sibling& operator=(const Sibling&) = delete;
    int Fd() const { return m_fd; }
    const std::string& Name() const { return m_name; }
    bool Close() {
        int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }
    void Keep() { m_kept = true; }

  private:
    std::string m_name;
    int m_fd = -1;
    bool m_created = false;
    bool m_kept = false;
};

bool ReplaceFile(const std::string& path, const std::string& target, mode_t mode,
                 const std::string& bytes, std::string* error) {
    Sibling temp(target);
    if (temp.Fd() < 0) return Fail("cannot write", path, errno, error);
    if (fchmod(temp.Fd(), mode) != 0 || !WriteAll(temp.Fd(), bytes) || fsync(temp.Fd()) != 0) {
        return Fail("cannot write", path, errno, error);
    }
    if (!temp.Close()) return Fail("cannot write", path, errno, error);
    if (rename(temp.Name().c_str(), target.c_str()) != 0) {
        return Fail("cannot write", path, errno, error);
    }
    temp.Keep();
    Descriptor folder(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) fsync(folder.Get());
    return true;
}

}  // namespace

std::string InputName(const std::string& path) {
    return path == kStandardStream ? "standard input" : path;
}

bool ReadInput(const std::string& path, std::string* bytes, std::string* error) {
    bytes->clear();
    if (path == kStandardStream) {
        if (!ReadAll(STDIN_FILENO, bytes))
            return Fail("cannot read", InputName(path), errno, error);
        return true;
    }
    Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) return Fail("cannot read", path, errno, error);
    struct stat info;
    if (fstat(file.Get(), &info) != 0) return Fail("cannot read", path, errno, error);
    if (S_ISDIR(info.st_mode)) return Fail("cannot read", path, EISDIR, error);
    if (!ReadAll(file.Get(), bytes)) return Fail("cannot read", path, errno, error);
    return true;
}

bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::string* error) {
    if (path == kStandardStream) {
        // Whether standard output took it is checked, and reported, once
        // at the end of the run.
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return true;
    }
    std::string target = path;
    struct stat info;
    bool exists = lstat(path.c_str(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) {
            target = resolved;
            exists = stat(target.c_str(), &info) == 0;
        } else {
            // A link to nothing, or through a folder that cannot be read.
            return Fail("cannot write", path, errno, error);
        }
    }
    if (exists && S_ISDIR(info.st_mode)) return Fail("cannot write", path, EISDIR, error);
    if (exists && !S_ISREG(info.st_mode)) {
        // A device or a pipe: written in place, as a shell redirection would.
        Descriptor file(open(target.c_str(), O_WRONLY | O_CLOEXEC));
        if (file.Get() < 0 || !WriteAll(file.Get(), bytes) || !file.Close()) {
            return Fail("cannot write", path, errno, error);
        }
        return true;
    }
    mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
    return ReplaceFile(path, target, mode, bytes, error);
}

}  // namespace vexaro
