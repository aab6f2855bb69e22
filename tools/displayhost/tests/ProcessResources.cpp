#include "ProcessResources.h"

#include <windows.h>
// The process structures need the definitions above.
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace shelltest {

namespace {

bool RunningOnWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Wine keeps its GDI handle table where Windows keeps GdiSharedHandleTable
// (offset 0x94 of the 32-bit PEB); an entry is in use while its type is set.
#pragma pack(push, 1)
struct WineGdiEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
#pragma pack(pop)
static_assert(sizeof(WineGdiEntry) == 24, "Wine's GDI_HANDLE_ENTRY");

// mingw's NtCurrentTeb reads the thread's record at fs:0x18 through an
// address that GCC sees as an empty array, and warns about its own header.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
BYTE* ProcessEnvironmentBlock() {
    return reinterpret_cast<BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
}
#pragma GCC diagnostic pop

long WineGdiObjects() {
    auto* peb = ProcessEnvironmentBlock();
    auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + 0x94);
    if (!table) return -1;
    long count = 0;
    for (unsigned i = 0; i < 0x10000; ++i)
        if (table[i].type) ++count;
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM lParam) {
    ++*reinterpret_cast<long*>(lParam);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM lParam) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    auto* count = reinterpret_cast<long*>(lParam);
    ++*count;
    EnumChildWindows(window, CountChild, lParam);
    return TRUE;
}

long OwnWindows() {
    long count = 0;
    EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// SystemHandleInformation (16): a count followed by 16-byte entries whose
// first member is the owning process id.
long ListedHandles() {
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<ULONG> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        LONG status =
            query(16, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG)), &needed);
        if (status == 0) break;
        if (status != static_cast<LONG>(0xC0000004) || buffer.size() > (1u << 24)) return -1;
        buffer.resize(buffer.size() * 2);
    }
    const ULONG entries = buffer[0];
    long count = 0;
    for (ULONG i = 0; i < entries && 1 + 4 * i < buffer.size(); ++i)
        if (buffer[1 + 4 * i] == GetCurrentProcessId()) ++count;
    return count;
}

long PrivateKilobytes() {
    uint64_t bytes = 0;
    MEMORY_BASIC_INFORMATION info;
    for (auto* at = static_cast<BYTE*>(nullptr);
         VirtualQuery(at, &info, sizeof info) == sizeof info;) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) bytes += info.RegionSize;
        BYTE* next = static_cast<BYTE*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return static_cast<long>(bytes / 1024);
}

}  // namespace

ProcessResources CountProcessResources() {
    ProcessResources r;
    const bool wine = RunningOnWine();
    r.gdiObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    r.sources += "gdi: GetGuiResources";
    if (r.gdiObjects == 0 && wine) {
        r.gdiObjects = WineGdiObjects();
        r.sources += " (0) -> Wine's handle table";
    }
    r.userObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    r.sources += "; user: GetGuiResources";
    if (r.userObjects == 0) {
        r.userObjects = OwnWindows();
        r.sources += " (0) -> windows of the process";
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles)) r.kernelHandles = handles;
    r.sources += "; handles: GetProcessHandleCount";
    if (r.kernelHandles <= 0) {
        r.kernelHandles = ListedHandles();
        r.sources += " (0) -> system handle list";
    }
    r.privateKilobytes = PrivateKilobytes();
    return r;
}

}  // namespace shelltest
