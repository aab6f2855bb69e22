// Text of registry files: the byte-order marks and Unicode forms that
// regedit writes, turned into the single-byte (Windows-1252) text that the
// registry holds. Characters that have no single-byte form are refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RegFile.h"

namespace vx::regfile {

// The single-byte character of a Unicode code point; false when it has none.
bool ToSingleByte(uint32_t codePoint, char* out);
// The Unicode code point of a single-byte character; the five bytes that
// Windows-1252 leaves undefined stand for the C1 code points of their value.
uint32_t FromSingleByte(char c);

// Splits a whole file into single-byte lines without their line ends.
// UTF-16LE with a byte-order mark and UTF-8 (with a byte-order mark, or
// starting with the version 5 header) are converted; anything else is
// taken byte for byte. A line ends at LF or CR LF, as the setup engine
// reads INF files.
bool DecodeLines(const std::string& bytes, std::vector<std::string>* lines, ParseError* error);
// As DecodeLines, but a CR by itself ends a line too, as regedit reads
// registry files.
bool DecodeRegistryLines(const std::string& bytes, std::vector<std::string>* lines,
                         ParseError* error);

// UTF-16LE text data (the hex(1), hex(2) and hex(7) data of version 5
// exports) in single-byte form. Data of odd length is not text and is
// kept as it is. On a character without single-byte form returns false.
bool Utf16DataToSingleByte(const std::vector<uint8_t>& in, std::vector<uint8_t>* out,
                           std::string* reason);

}  // namespace vx::regfile
