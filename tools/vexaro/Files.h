// Reading the input and writing the outputs the user named, with the
// system's reason when that fails. "-" stands for standard input or output.
#pragma once

#include <ostream>
#include <string>

namespace vexaro {

// The name of a file as messages give it: "standard input" for "-".
std::string InputName(const std::string& path);

// Reads the whole file (or standard input); false with "cannot read NAME:
// REASON".
bool ReadInput(const std::string& path, std::string* bytes, std::string* error);

// Writes bytes to the file (or to out for "-", whose failure the caller of
// the tool detects when it flushes out). A regular file is replaced
// all at once, keeping its mode; a symbolic link is written through to its
// target; a device or pipe is written in place. False with "cannot write
// NAME: REASON", and then a file that was there is as it was.
bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::string* error);

}  // namespace vexaro
