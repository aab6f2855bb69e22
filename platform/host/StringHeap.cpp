#include <cstdlib>

#include "platform/framework/StringHeap.h"

namespace vx {
void* StringHeapAlloc(size_t bytes) { return std::malloc(bytes); }
void StringHeapFree(void* block) { std::free(block); }
}  // namespace vx
