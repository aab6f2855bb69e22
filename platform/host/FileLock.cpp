#include "FileLock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace vx {

namespace {

FileLocks* g_active = nullptr;

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool SameFile(int fd, const std::string& path) {
    struct stat held;
    struct stat named;
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// flock, again after a signal; false with errno set on failure.
bool TakeLock(int fd, bool wait) {
    for (;;) {
        if (flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0) return true;
        if (errno != EINTR) return false;
    }
}

}  // namespace

FileLocks::~FileLocks() {
    ReleaseAll();
}

void FileLocks::ReleaseAll() {
    if (g_active == this) g_active = nullptr;
    m_descriptors.clear();  // closing a descriptor gives its lock up
    m_held.clear();
}

bool FileLocks::Holds(int fd) const {
    struct stat info;
    return fstat(fd, &info) == 0 && m_held.count({info.st_dev, info.st_ino}) != 0;
}

void FileLocks::Keep(FileDescriptor fd) {
    struct stat info;
    if (fstat(fd.get(), &info) == 0) m_held.insert({info.st_dev, info.st_ino});
    m_descriptors.push_back(std::move(fd));
}

FileLocks::Result FileLocks::Take(const std::string& path, bool wait, std::string* error) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        bool folder = false;
        if (!fd) {
            if (errno != ENOENT) {
                // Nothing this run could read or replace either.
                return Result::kLocked;
            }
            fd.reset(open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (!fd) return Result::kLocked;  // no folder: nothing will be written there
            folder = true;
        }
        if (Holds(fd.get())) {
            fd.reset();
            if (!folder || !Exists(path)) return Result::kLocked;
            continue;  // the folder is held and the file has come meanwhile
        }
        if (!TakeLock(fd.get(), wait)) {
            const int reason = errno;
            fd.reset();
            if (reason == EWOULDBLOCK) return Result::kBusy;
            if (error != nullptr) *error = "cannot lock " + path + ": " + std::strerror(reason);
            return Result::kFailed;
        }
        if (folder) {
            Keep(std::move(fd));
            // Created while this run waited: the file itself is locked too.
            if (!Exists(path)) return Result::kLocked;
            continue;
        }
        if (SameFile(fd.get(), path)) {
            Keep(std::move(fd));
            return Result::kLocked;
        }
        // Replaced while this run waited: lock what the name leads to now.
        fd.reset();
    }
    if (error != nullptr) *error = "cannot lock " + path + ": it keeps being replaced";
    return Result::kFailed;
}

bool FileLocks::Adopt(int fd) {
    FileDescriptor own(fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!own || !TakeLock(own.get(), false)) return false;
    Keep(std::move(own));
    return true;
}

FileLocks* ActiveFileLocks() {
    return g_active;
}

void SetActiveFileLocks(FileLocks* locks) {
    g_active = locks;
}

}  // namespace vx
