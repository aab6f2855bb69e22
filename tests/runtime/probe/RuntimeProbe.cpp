#include "RuntimeProbe.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace probe {

void Report(const char* event) {
    using Sink = void (*)(const char*);
    auto sink = reinterpret_cast<Sink>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "RuntimeProbeEvent")));
    if (sink != nullptr) sink(event);
}

Witness::Witness(const char* name) : m_name(name) {
    char text[64];
    std::snprintf(text, sizeof text, "construct %s", m_name);
    Report(text);
}

Witness::~Witness() {
    char text[64];
    std::snprintf(text, sizeof text, "destroy %s", m_name);
    Report(text);
}

namespace {

Witness g_first("first");
Witness g_second("second");

int g_exitCount = 0;

void CountedExit() {
    char text[32];
    std::snprintf(text, sizeof text, "exit %d", g_exitCount--);
    Report(text);
}

}  // namespace

}  // namespace probe

extern "C" {

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    using Answer = int (*)();
    if (reason == DLL_PROCESS_ATTACH) {
        probe::Report("attach");
        auto answer = reinterpret_cast<Answer>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA(nullptr), "RuntimeProbeAttachResult")));
        return answer == nullptr || answer() != 0;
    }
    if (reason == DLL_PROCESS_DETACH) probe::Report("detach");
    return TRUE;
}

// Constructs a function-local static object on its first call.
void ProbeUseLocalStatic() {
    static probe::Witness local("local");
}

// Enters count functions in the exit list; they report "exit count" down
// to "exit 1" when the DLL is freed.
int ProbeAddExitFunctions(int count) {
    for (int i = 0; i < count; ++i) {
        if (std::atexit(probe::CountedExit) != 0) return 0;
        ++probe::g_exitCount;
    }
    return 1;
}

void* ProbeNew(size_t bytes) {
    return new (std::nothrow) char[bytes];
}
void ProbeDelete(void* block) {
    delete[] static_cast<char*>(block);
}

}  // extern "C"
