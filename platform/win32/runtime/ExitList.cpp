// The exit list and the static constructors.
#include <windows.h>

#include "Runtime.h"

// The linker's list of static constructors: a count of -1 (or the number of
// entries), the entries, and a terminating null.
extern "C" void (*__CTOR_LIST__[])();

namespace vx {
namespace rt {

namespace {

// Entries live in blocks; the first is static, further ones come from the
// process heap and are given back when the list has run.
struct ExitBlock {
    static constexpr int kCapacity = 32;
    ExitBlock* previous;
    int count;
    void (*functions[kCapacity])();
};

ExitBlock g_firstBlock = {nullptr, 0, {}};
ExitBlock* g_lastBlock = &g_firstBlock;

}  // namespace

int AddExitFunction(void (*function)()) {
    if (g_lastBlock->count == ExitBlock::kCapacity) {
        void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(ExitBlock));
        if (memory == nullptr) return -1;
        ExitBlock* block = static_cast<ExitBlock*>(memory);
        block->previous = g_lastBlock;
        block->count = 0;
        g_lastBlock = block;
    }
    g_lastBlock->functions[g_lastBlock->count++] = function;
    return 0;
}

void RunExitFunctions() {
    for (;;) {
        ExitBlock* block = g_lastBlock;
        if (block->count > 0) {
            // Taken off before it runs: a function that adds another finds room.
            void (*function)() = block->functions[--block->count];
            function();
        } else if (block->previous != nullptr) {
            g_lastBlock = block->previous;
            HeapFree(GetProcessHeap(), 0, block);
        } else {
            return;
        }
    }
}

void RunStaticConstructors() {
    // The compiler emits one entry per source file; the entries run from
    // the last to the first, as GCC's start-up code for this target does.
    size_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    for (size_t i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

}  // namespace rt
}  // namespace vx

// The compiler enters the destructor of each static object here.
extern "C" int atexit(void (*function)()) {
    return vx::rt::AddExitFunction(function);
}
