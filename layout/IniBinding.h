// Where an entry's state lives: the integer of one INI key and the masks
// with which the entry sets and clears its bits, read from the entry's
// Association key.
#pragma once

#include <cstdint>

#include "platform/framework/FrameworkString.h"

namespace vx {

class CLayoutStore;

struct IniBinding {
    CString file;
    CString section;
    CString key;
    int32_t andMask = 0;
    int32_t orMask = 0;
};

// Reads "INIFile", "Section", "KeyString", "AndMask" and "OrMask" in this
// order and stops at the first that is missing: 1 when all five were read.
int ReadIniBinding(CLayoutStore& store, const char* entryName, IniBinding* binding);

// The Association value "Default": 1 when it reads exactly "On", else 0.
int ReadDefaultState(CLayoutStore& store, const char* entryName);

}  // namespace vx
