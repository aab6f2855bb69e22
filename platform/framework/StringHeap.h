// The heap that string blocks come from. Each backend provides the two
// functions: the process heap on Windows, so that outside libraries can
// reallocate strings they are handed; malloc on the host.
#pragma once

#include <cstddef>

namespace vx {
void* StringHeapAlloc(size_t bytes);
void StringHeapFree(void* block);
}  // namespace vx
