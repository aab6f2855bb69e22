// The integer that GetPrivateProfileInt makes of a key's value.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

// value is the key's trimmed value text as it stands in the file. Windows
// NT (and Wine) read it in two steps:
// - as GetPrivateProfileString returns it into a 30-character buffer: one
//   pair of matching quotes (" or ') around it removed, at most 29
//   characters kept; an empty result gives defaultValue;
// - as RtlCharToInteger with base 0 converts it: control characters and
//   spaces skipped, one optional '+' or '-', a base prefix "0x", "0o" or
//   "0b" (lower case only), then the digits of that base (decimal without
//   prefix) up to the first other character, modulo 2^32. No digits gives 0.
uint32_t ProfileInteger(const std::string& value, int32_t defaultValue);

}  // namespace vx
