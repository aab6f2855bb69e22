#include "platform/framework/StringHeap.h"

#include <windows.h>

namespace vx {
// The process heap, which outside libraries reach without linking to us.
void* StringHeapAlloc(size_t bytes) {
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}
void StringHeapFree(void* block) {
    HeapFree(GetProcessHeap(), 0, block);
}
}  // namespace vx
