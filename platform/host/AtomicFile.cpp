#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vx {

namespace {

// A temporary file that is removed unless it was renamed into place.
class TempFile {
  public:
    explicit TempFile(const std::string& target) : m_name(target + ".XXXXXX") {
        std::vector<char> name(m_name.begin(), m_name.end());
        name.push_back('\0');
        m_fd = mkstemp(name.data());
        m_name = name.data();
        if (m_fd >= 0) fchmod(m_fd, 0644);  // mkstemp makes it private
    }
    ~TempFile() {
        if (m_fd >= 0) close(m_fd);
        if (!m_kept) unlink(m_name.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool Ok() const { return m_fd >= 0; }
    bool Write(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = write(m_fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }
    bool SyncAndClose() {
        bool ok = fsync(m_fd) == 0;
        ok = close(m_fd) == 0 && ok;
        m_fd = -1;
        return ok;
    }
    bool RenameTo(const std::string& target) {
        m_kept = rename(m_name.c_str(), target.c_str()) == 0;
        return m_kept;
    }

  private:
    std::string m_name;
    int m_fd = -1;
    bool m_kept = false;
};

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool Fail(std::string* error, const std::string& what) {
    if (error != nullptr) *error = what + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    TempFile temp(path);
    if (!temp.Ok()) return Fail(error, "cannot create a temporary file next to " + path);
    if (!temp.Write(bytes)) return Fail(error, "cannot write " + path);
    if (!temp.SyncAndClose()) return Fail(error, "cannot flush " + path);
    if (!temp.RenameTo(path)) return Fail(error, "cannot replace " + path);
    // Make the rename itself durable.
    int folder = open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

}  // namespace vx
