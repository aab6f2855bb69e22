#include "platform/framework/StringHeap.h"

#include <cstdlib>

namespace vx {
void* StringHeapAlloc(size_t bytes) {
    return std::malloc(bytes);
}
void StringHeapFree(void* block) {
    std::free(block);
}
}  // namespace vx
