// A limit on the size of the files that this process, and the programs it
// starts, may write.
#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace vxtest {

// Makes every write of a file past `bytes` fail, as a full disk does, until
// it goes out of scope (programs started meanwhile inherit the limit).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_previous = signal(SIGXFSZ, SIG_IGN);
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_previous);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Ok() const { return m_ok; }

  private:
    struct rlimit m_saved = {};
    void (*m_previous)(int) = nullptr;
    bool m_ok = false;
};

}  // namespace vxtest
