// Assignment to a string object of the module's framework, which the
// libraries are handed by reference. Only the published layout is used.
#pragma once

#include "StringLayout.h"

namespace standin {

// Sets the string object (one pointer, laid out as StringLayout.h says) to
// the first length characters of text. Returns 1, or 0 when the memory
// cannot be had (the object is then unchanged).
int AssignString(char** object, const char* text, int length);

}  // namespace standin
