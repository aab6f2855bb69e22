#include "platform/win32/RuntimeRelease.h"

#include <pthread.h>
#include <windows.h>

#include <cstddef>

namespace __gnu_cxx {
// Frees the emergency exception pool (the C++ runtime's own clean-up call).
void __freeres();
}  // namespace __gnu_cxx

namespace vx {

namespace {

// The first members of the threads library's record of a thread. The
// record is kept in a thread-local slot of that library's own; the layout
// is used only after two of its members have been found where the library
// itself says they are.
struct ThreadRecordHead {
    unsigned int valid;
    void* result;
    void* (*function)(void*);
    _pthread_cleanup* cleanup;  // pthread_getclean() points here
    int noBreak;
    HANDLE thread;      // pthread_gethandle()
    HANDLE startEvent;  // pthread_getevent()
};

// TLS_MINIMUM_AVAILABLE slots and the 1024 expansion slots.
constexpr DWORD kTlsSlots = 64 + 1024;

HMODULE ModuleOf(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<const char*>(address), &module)) {
        return nullptr;
    }
    return module;
}

// Whether the function lies in the same module as this code: a runtime
// shared with the rest of the process must keep what it holds.
template <typename Function>
bool IsOwnCopy(Function* function) {
    HMODULE own = ModuleOf(reinterpret_cast<const void*>(&ReleaseStaticRuntime));
    return own != nullptr && ModuleOf(reinterpret_cast<const void*>(function)) == own;
}

// The slot in which the threads library keeps this thread's record;
// kTlsSlots when it cannot be told.
DWORD RecordSlot() {
    _pthread_cleanup** cleanup = pthread_getclean();
    if (cleanup == nullptr) return kTlsSlots;
    auto* record = reinterpret_cast<ThreadRecordHead*>(reinterpret_cast<char*>(cleanup) -
                                                       offsetof(ThreadRecordHead, cleanup));
    if (record->thread != pthread_gethandle(pthread_self()) ||
        record->startEvent != pthread_getevent()) {
        return kTlsSlots;
    }
    for (DWORD slot = 0; slot < kTlsSlots; ++slot) {
        if (TlsGetValue(slot) == record) return slot;
    }
    return kTlsSlots;
}

// Runs the module's TLS callbacks, as the loader does when a thread ends.
void RunThreadDetach(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS];
    if (entry.VirtualAddress == 0 || entry.Size == 0) return;
    const auto* tls = reinterpret_cast<const IMAGE_TLS_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* callbacks = reinterpret_cast<const PIMAGE_TLS_CALLBACK*>(tls->AddressOfCallBacks);
    for (; callbacks != nullptr && *callbacks != nullptr; ++callbacks) {
        (*callbacks)(module, DLL_THREAD_DETACH, nullptr);
    }
}

}  // namespace

void ReleaseStaticRuntime() {
    HMODULE own = ModuleOf(reinterpret_cast<const void*>(&ReleaseStaticRuntime));
    if (own != nullptr && IsOwnCopy(&pthread_getevent) && IsOwnCopy(&pthread_gethandle) &&
        IsOwnCopy(&pthread_getclean)) {
        // The threads library closes its record's handles when the thread
        // ends, and frees its slot never; its copy goes with the DLL before
        // that. The thread's end is played to it here (the record itself
        // is put aside for reuse, and goes unfreed with the DLL).
        const DWORD slot = RecordSlot();
        RunThreadDetach(own);
        if (slot < kTlsSlots) TlsFree(slot);
    }
    if (IsOwnCopy(&__gnu_cxx::__freeres)) __gnu_cxx::__freeres();
}

}  // namespace vx
