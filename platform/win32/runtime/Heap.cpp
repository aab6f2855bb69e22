// operator new and delete over the process heap, which the framework's
// strings and the outside libraries share. Only the nothrow forms of new
// are here, giving null when the heap has no memory. The modules are built
// without exceptions, where a plain new that fails could only end the host
// process; code that uses one does not link.
#include <windows.h>

#include <new>

namespace {

// The heap hands out a distinct block for 0 bytes as well.
void* TryAllocate(size_t bytes) {
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}

void Free(void* block) {
    if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

// The tag object of the nothrow forms.
const std::nothrow_t std::nothrow{};

void* operator new(size_t bytes, const std::nothrow_t&) noexcept {
    return TryAllocate(bytes);
}
void* operator new[](size_t bytes, const std::nothrow_t&) noexcept {
    return TryAllocate(bytes);
}

void operator delete(void* block) noexcept {
    Free(block);
}
void operator delete[](void* block) noexcept {
    Free(block);
}
void operator delete(void* block, size_t) noexcept {
    Free(block);
}
void operator delete[](void* block, size_t) noexcept {
    Free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    Free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Free(block);
}
