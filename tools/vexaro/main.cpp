// vexaro: the page's settings on Linux.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <streambuf>

#include "CommandLine.h"
#include "ErrorReport.h"

namespace {

// Standard output through a buffer of its own, which keeps the reason of
// the first write that failed.
class OutputBuffer : public std::streambuf {
  public:
    OutputBuffer() { setp(m_buffer, m_buffer + sizeof m_buffer); }
    ~OutputBuffer() override { Drain(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // 0 while every write succeeded, else the errno of the first failure.
    int Error() const { return m_error; }

  protected:
    int_type overflow(int_type c) override {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

  private:
    bool Drain() {
        const char* from = pbase();
        while (from < pptr() && m_error == 0) {
            ssize_t n = write(STDOUT_FILENO, from, static_cast<size_t>(pptr() - from));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                m_error = n < 0 ? errno : EIO;
                break;
            }
            from += n;
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0;
    }

    char m_buffer[65536];
    int m_error = 0;
};

}  // namespace

int main(int argc, char** argv) {
    OutputBuffer buffer;
    std::ostream out(&buffer);
    const int code = vexaro::RunTool(argc, argv, out, std::cerr);
    out.flush();
    // Output that did not reach its file (a full disk, a closed pipe) is
    // an error too, even when all else went well.
    if (buffer.Error() != 0) {
        std::cerr << "vexaro: cannot write to standard output: "
                  << vexaro::SystemError(buffer.Error()) << "\n";
        return vexaro::kExitError;
    }
    return code;
}
