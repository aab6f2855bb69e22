#include "platform/framework/StringHeap.h"

#include <cstdlib>

#include "platform/host/HostStringHeap.h"

namespace vx {

namespace {
StringAllocator g_allocator = nullptr;
}

StringAllocator SetStringAllocator(StringAllocator allocator) {
    const StringAllocator previous = g_allocator;
    g_allocator = allocator;
    return previous;
}

void* StringHeapAlloc(size_t bytes) {
    return g_allocator != nullptr ? g_allocator(bytes) : std::malloc(bytes);
}
void StringHeapFree(void* block) {
    std::free(block);
}

}  // namespace vx
