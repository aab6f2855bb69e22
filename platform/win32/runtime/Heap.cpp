// operator new and delete over the process heap, which the framework's
// strings and the outside libraries share. A plain new that cannot have its
// memory raises STATUS_NO_MEMORY (the heap's own way of failing loudly);
// the nothrow forms give null.
#include <windows.h>

#include <new>

namespace {

void* Allocate(size_t bytes) {
    // The heap hands out a distinct block for 0 bytes as well.
    return HeapAlloc(GetProcessHeap(), HEAP_GENERATE_EXCEPTIONS, bytes);
}

void* TryAllocate(size_t bytes) {
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}

void Free(void* block) {
    if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

// The tag object of the nothrow forms.
const std::nothrow_t std::nothrow{};

void* operator new(size_t bytes) {
    return Allocate(bytes);
}
void* operator new[](size_t bytes) {
    return Allocate(bytes);
}
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
