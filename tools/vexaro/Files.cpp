#include "Files.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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

constexpr size_t kChunk = 65536;

// Whether text that begins so can be a registry file: after an optional
// byte-order mark (UTF-8, or UTF-16LE whose characters are taken from their
// low bytes) and blanks and line ends, the beginning of "REGEDIT4" or of
// "Windows Registry Editor Version 5.00", in any letter case. Undecided
// while too few characters are there to tell.
enum class Header { kYes, kNo, kUndecided };

Header RegistryHeader(const std::string& bytes, bool complete) {
    size_t i = 0;
    size_t step = 1;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        i = 3;
    } else if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        i = 2;
        step = 2;
    }
    std::string text;
    for (; i + step <= bytes.size() && text.size() < 24; i += step) {
        const char c = bytes[i];
        if (step == 2 && bytes[i + 1] != '\0') return Header::kNo;
        if (text.empty() && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) continue;
        text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const std::string header : {"regedit4", "windows registry editor "}) {
        const size_t n = std::min(text.size(), header.size());
        if (text.compare(0, n, header, 0, n) != 0) continue;
        return n == header.size() || complete ? Header::kYes : Header::kUndecided;
    }
    return text.empty() && !complete ? Header::kUndecided : Header::kNo;
}

enum class Outcome { kRead, kFailed, kTooLarge, kNotRegistry };

// Reads to the end, at most maxBytes; errno tells why on kFailed.
Outcome ReadAll(int fd, uint64_t maxBytes, InputForm form, uint64_t sizeHint, std::string* bytes) {
    if (sizeHint > 0) bytes->reserve(static_cast<size_t>(std::min(sizeHint, maxBytes) + 1));
    bool decided = form == InputForm::kAny;
    char buffer[kChunk];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Outcome::kFailed;
        if (got > 0 && bytes->size() + static_cast<uint64_t>(got) > maxBytes) {
            return Outcome::kTooLarge;
        }
        bytes->append(buffer, static_cast<size_t>(got));
        if (!decided) {
            const Header header = RegistryHeader(*bytes, got == 0);
            if (header == Header::kNo) return Outcome::kNotRegistry;
            decided = header == Header::kYes;
        }
        if (got == 0) return Outcome::kRead;
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

std::string SizeText(uint64_t bytes) {
    const struct {
        uint64_t size;
        const char* unit;
    } units[] = {{uint64_t{1} << 30, "GiB"}, {uint64_t{1} << 20, "MiB"}, {1024, "KiB"}};
    for (const auto& u : units) {
        if (bytes >= u.size && bytes % u.size == 0) {
            return std::to_string(bytes / u.size) + " " + u.unit;
        }
    }
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

bool ParseSize(const std::string& text, uint64_t* bytes) {
    size_t digits = 0;
    uint64_t value = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
        const uint64_t digit = static_cast<uint64_t>(text[digits] - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    if (digits == 0) return false;
    std::string unit = text.substr(digits);
    for (char& c : unit) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int shift = -1;
    const std::pair<const char*, int> units[] = {{"", 0},     {"K", 10}, {"KIB", 10}, {"M", 20},
                                                 {"MIB", 20}, {"G", 30}, {"GIB", 30}};
    for (const auto& [name, bits] : units) {
        if (unit == name) shift = bits;
    }
    if (shift < 0 || value == 0 || value > (UINT64_MAX >> shift)) return false;
    if (bytes != nullptr) *bytes = value << shift;
    return true;
}

bool ReadInput(const std::string& path, std::string* bytes, std::string* error, uint64_t maxBytes,
               InputForm form, InputIdentity* identity) {
    bytes->clear();
    if (identity != nullptr) *identity = InputIdentity{};
    const std::string name = InputName(path);
    vx::FileDescriptor file(path == kStandardStream ? -1
                                                    : open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = path == kStandardStream ? STDIN_FILENO : file.get();
    if (fd < 0) return Fail("cannot read", name, errno, error);
    struct stat info;
    if (fstat(fd, &info) != 0) return Fail("cannot read", name, errno, error);
    if (S_ISDIR(info.st_mode)) return Fail("cannot read", name, EISDIR, error);
    if (identity != nullptr && path != kStandardStream) {
        *identity = InputIdentity{true, info.st_dev, info.st_ino};
    }
    const uint64_t size =
        S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0;
    // A regular file's size is known before anything is read; its header
    // is looked at first all the same, since it is the likelier mistake.
    switch (ReadAll(fd, size > maxBytes ? std::min<uint64_t>(maxBytes, kChunk) : maxBytes, form,
                    std::min(size, maxBytes), bytes)) {
        case Outcome::kRead:
            if (size <= maxBytes) return true;
            [[fallthrough]];
        case Outcome::kTooLarge:
            bytes->clear();
            bytes->shrink_to_fit();
            *error = name + " is larger than " + SizeText(maxBytes) +
                     ", the most that is read (--max-input-size SIZE reads more)";
            return false;
        case Outcome::kNotRegistry:
            bytes->clear();
            *error = name +
                     " is not a registry file: it does not begin with \"REGEDIT4\" or "
                     "\"Windows Registry Editor Version 5.00\"";
            return false;
        case Outcome::kFailed:
            break;
    }
    return Fail("cannot read", name, errno, error);
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
        if (file.get() < 0 || !WriteAll(file.get(), bytes) || !file.Close()) {
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
