// Reading the input and writing the outputs the user named, with the
// system's reason when that fails. "-" stands for standard input or output.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "Options.h"

namespace vexaro {

// What an input has to be, to be read further than its first bytes.
enum class InputForm {
    kAny,
    kRegistry,  // begins with a registry file's header (after blanks and a byte-order mark)
};

// The file an input was read from: apply never writes it as an INI file.
struct InputIdentity {
    bool known = false;  // a file, not standard input
    dev_t device = 0;
    ino_t inode = 0;
};

// The name of a file as messages give it: "standard input" for "-".
std::string InputName(const std::string& path);

// "64 MiB", "1.5 GiB", "1000 bytes".
std::string SizeText(uint64_t bytes);

// A size as --max-input-size takes it: a whole number of bytes, or one
// followed by K, M or G (also KiB, MiB, GiB: binary multiples); at least 1.
// bytes may be null to check the form alone.
bool ParseSize(const std::string& text, uint64_t* bytes);

// Reads the whole file (or standard input), never more than maxBytes, and
// stops at once when the first bytes show another form than the one asked
// for. False with one line: "cannot read NAME: REASON", "NAME is larger
// than ..." or "NAME is not a registry file ...". identity receives the
// file that was read.
bool ReadInput(const std::string& path, std::string* bytes, std::string* error,
               uint64_t maxBytes = kDefaultMaxInput, InputForm form = InputForm::kAny,
               InputIdentity* identity = nullptr);

// Writes bytes to the file (or to out for "-", whose failure the caller of
// the tool detects when it flushes out). A regular file is replaced
// all at once, keeping its mode; a symbolic link is written through to its
// target; a device or pipe is written in place. False with "cannot write
// NAME: REASON", and then a file that was there is as it was.
bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::string* error);

}  // namespace vexaro
