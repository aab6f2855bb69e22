// The registry's text is bytes of the Windows ANSI code page 1252; what
// people and JSON readers see is UTF-8. These turn the one into the other.
#pragma once

#include <string>

namespace vexaro {

// UTF-8 of single-byte text, character for character (the five bytes that
// code page 1252 leaves undefined become the C1 code points of their value,
// so nothing is lost); control characters are kept.
std::string Utf8(const std::string& ansi);

// UTF-8 for a terminal or a picture: as Utf8, but every control character
// (bytes below 0x20, 0x7F and the undefined bytes 0x81, 0x8D, 0x8F, 0x90,
// 0x9D) shown as an escape: \r, \n, \t, or \xHH with the byte's value.
std::string Shown(const std::string& ansi);

// For messages that put the registry's text beside host paths and
// arguments (which are UTF-8 as a rule): well-formed UTF-8 sequences stay,
// every other byte is read as code page 1252. Printable also escapes
// control characters as Shown does.
std::string Utf8Lenient(const std::string& text);
std::string Printable(const std::string& text);

// JSON text with DEL and the C1 control characters (U+0080 to U+009F),
// which a JSON writer may leave raw and a terminal may act on, as \u
// escapes.
std::string EscapeJsonControls(const std::string& json);

// The bytes as lower-case hex digits, two per byte.
std::string HexBytes(const std::string& bytes);

// A name typed on the command line, in the registry's code page: UTF-8
// whose characters all exist in code page 1252 is converted, anything
// else is taken byte for byte.
std::string AnsiFromArgument(const std::string& argument);

// The number of characters of UTF-8 text, for lining up columns.
size_t Utf8Width(const std::string& utf8);

// UTF-8 text padded with blanks to at least width characters.
std::string PadRight(const std::string& utf8, size_t width);

}  // namespace vexaro
