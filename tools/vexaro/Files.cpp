#include "Files.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ErrorReport.h"
#include "Options.h"
#include "platform/host/AtomicFile.h"
#include "platform/host/FileDescriptor.h"

namespace vexaro {

namespace {

bool Fail(const std::string& what, const std::string& path, int errnum, std::string* error) {
    *error = what + " " + path + ": " + SystemError(errnum);
    return false;
}

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
    vx::FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
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
        vx::FileDescriptor file(open(target.c_str(), O_WRONLY | O_CLOEXEC));
        if (file.Get() < 0 || !WriteAll(file.Get(), bytes) || !file.Close()) {
            return Fail("cannot write", path, errno, error);
        }
        return true;
    }
    std::string reason;
    vx::AtomicWrite how;
    how.reason = &reason;
    if (!vx::ReplaceFileAtomically(target, bytes, nullptr, how)) {
        *error = "cannot write " + path + ": " + reason;
        return false;
    }
    return true;
}

}  // namespace vexaro
