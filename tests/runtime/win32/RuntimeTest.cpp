// The runtime of the shipped DLLs, through a probe DLL built with it: the
// order in which static objects are constructed and destroyed around the
// DLL's own entry point, a failed attach, the exit list, the heap, and the
// C functions that the DLLs' code calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/WinHandles.h"

namespace {

std::vector<std::string> g_events;
int g_attachResult = 1;

}  // namespace

// Looked up by the probe in the program that loads it.
extern "C" __declspec(dllexport) void RuntimeProbeEvent(const char* event) {
    g_events.push_back(event);
}
extern "C" __declspec(dllexport) int RuntimeProbeAttachResult() {
    return g_attachResult;
}

namespace {

const char kProbe[] = "runtime_probe.dll";

// Bytes in use in the process heap.
long ProcessHeapBytes() {
    HANDLE heap = GetProcessHeap();
    long bytes = 0;
    if (!HeapLock(heap)) return -1;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += static_cast<long>(entry.cbData);
    }
    HeapUnlock(heap);
    return bytes;
}

template <typename Function>
Function Entry(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class RuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_events.clear();
        g_attachResult = 1;
    }
    void TearDown() override {
        g_attachResult = 1;
        m_probe.reset();
    }
    HMODULE Load() {
        m_probe.reset(LoadLibraryA(kProbe));
        return m_probe.get();
    }
    void Free() {
        ASSERT_TRUE(m_probe);
        ASSERT_TRUE(FreeLibrary(m_probe.release()));
        ASSERT_EQ(GetModuleHandleA(kProbe), nullptr);
    }

    vx::UniqueModule m_probe;
};

// The static objects of a source file come up in the order of their
// definition, all before the DLL's entry point sees the attach; they go in
// the reverse order after it has seen the detach, a function-local static
// (constructed later) first.
TEST_F(RuntimeTest, StaticObjectsLiveFromBeforeAttachToAfterDetach) {
    ASSERT_NE(Load(), nullptr);
    const std::vector<std::string> constructed(g_events.begin(), g_events.end() - 1);
    ASSERT_EQ(g_events.back(), "attach");
    ASSERT_EQ(constructed.size(), 3u);
    // Source files come in link order, reversed; within one, in order.
    EXPECT_EQ(constructed,
              (std::vector<std::string>{"construct other", "construct first", "construct second"}));
    Entry<void (*)()>(m_probe.get(), "ProbeUseLocalStatic")();
    Entry<void (*)()>(m_probe.get(), "ProbeUseLocalStatic")();
    g_events.clear();
    Free();
    EXPECT_EQ(g_events, (std::vector<std::string>{"detach", "destroy local", "destroy second",
                                                  "destroy first", "destroy other"}));
}

// A DLL whose entry point refuses the attach does not load; its static
// objects are destroyed and its detach runs exactly once, whether or not
// the loader sends a detach of its own.
TEST_F(RuntimeTest, RefusedAttachUndoesTheConstructionOnce) {
    g_attachResult = 0;
    EXPECT_EQ(Load(), nullptr);
    EXPECT_EQ(GetModuleHandleA(kProbe), nullptr);
    EXPECT_EQ(g_events, (std::vector<std::string>{
                            "construct other", "construct first", "construct second", "attach",
                            "detach", "destroy second", "destroy first", "destroy other"}));
    // Loads again afterwards.
    g_attachResult = 1;
    g_events.clear();
    ASSERT_NE(Load(), nullptr);
    EXPECT_EQ(g_events.back(), "attach");
}

// More exit functions than the list's first block holds: all run, in the
// reverse order of their entry and before the static objects go, and the
// further blocks go back to the heap.
TEST_F(RuntimeTest, ExitListGrowsAndRunsInReverse) {
    for (int count : {31, 32, 33, 70}) {
        SCOPED_TRACE(count);
        ASSERT_NE(Load(), nullptr);
        ASSERT_EQ(Entry<int (*)(int)>(m_probe.get(), "ProbeAddExitFunctions")(count), 1);
        g_events.clear();
        Free();
        ASSERT_EQ(g_events.size(), 1u + count + 3u);
        EXPECT_EQ(g_events[0], "detach");
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(g_events[1 + i], "exit " + std::to_string(count - i));
        EXPECT_EQ(g_events[1 + count], "destroy second");
    }
}

TEST_F(RuntimeTest, LoadsAndFreesLeaveTheHeapAsItWas) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(Load(), nullptr);
        Free();
    }
    const long before = ProcessHeapBytes();
    for (int i = 0; i < 50; ++i) {
        ASSERT_NE(Load(), nullptr);
        ASSERT_EQ(Entry<int (*)(int)>(m_probe.get(), "ProbeAddExitFunctions")(40), 1);
        auto allocate = Entry<void* (*)(size_t)>(m_probe.get(), "ProbeNew");
        auto release = Entry<void (*)(void*)>(m_probe.get(), "ProbeDelete");
        void* blocks[10];
        for (void*& block : blocks) block = allocate(100);
        for (void* block : blocks) release(block);
        Free();
    }
    g_events.clear();
    g_events.shrink_to_fit();
    // Expected: 0; the probe's smallest block is 100 bytes.
    EXPECT_LT(ProcessHeapBytes() - before, 50);
}

TEST_F(RuntimeTest, NewGivesHeapMemoryOrNullWithoutThrowing) {
    ASSERT_NE(Load(), nullptr);
    auto allocate = Entry<void* (*)(size_t)>(m_probe.get(), "ProbeNew");
    auto release = Entry<void (*)(void*)>(m_probe.get(), "ProbeDelete");
    void* block = allocate(1000);
    ASSERT_NE(block, nullptr);
    // From the process heap, which the outside libraries share.
    EXPECT_GE(HeapSize(GetProcessHeap(), 0, block), 1000u);
    release(block);
    void* empty = allocate(0);
    EXPECT_NE(empty, nullptr);
    release(empty);
    EXPECT_EQ(allocate(0x7FFFFFF0u), nullptr);
    release(nullptr);
}

// The DLL's snprintf is the runtime's formatter (tested in FormatTest.cpp),
// with the C library's contract.
TEST_F(RuntimeTest, SnprintfIsTheRuntimeFormatter) {
    ASSERT_NE(Load(), nullptr);
    auto format = Entry<int (*)(char*, size_t, const char*, ...)>(m_probe.get(), "ProbeSnprintf");
    char text[8];
    EXPECT_EQ(format(text, sizeof text, "%s|%5d", "ab", -42), 8);
    EXPECT_STREQ(text, "ab|  -4");
    EXPECT_EQ(format(text, sizeof text, "%f", 1.0), -1);
}

TEST_F(RuntimeTest, StringAndMemoryFunctions) {
    ASSERT_NE(Load(), nullptr);
    auto memmove = Entry<void* (*)(void*, const void*, size_t)>(m_probe.get(), "ProbeMemmove");
    auto memcmp = Entry<int (*)(const void*, const void*, size_t)>(m_probe.get(), "ProbeMemcmp");
    auto strncmp = Entry<int (*)(const char*, const char*, size_t)>(m_probe.get(), "ProbeStrncmp");
    auto strcmp = Entry<int (*)(const char*, const char*)>(m_probe.get(), "ProbeStrcmp");
    auto strchr = Entry<char* (*)(const char*, int)>(m_probe.get(), "ProbeStrchr");
    auto strnlen = Entry<size_t (*)(const char*, size_t)>(m_probe.get(), "ProbeStrnlen");

    // Overlapping moves in both directions.
    char text[] = "abcdefgh";
    memmove(text + 2, text, 5);
    EXPECT_STREQ(text, "ababcdeh");
    char back[] = "abcdefgh";
    memmove(back, back + 2, 5);
    EXPECT_STREQ(back, "cdefgfgh");

    // Bytes compare unsigned: a high character sorts after every ASCII one.
    EXPECT_LT(memcmp("ab", "ac", 2), 0);
    EXPECT_EQ(memcmp("ab", "ac", 1), 0);
    EXPECT_GT(memcmp("\xE9", "z", 1), 0);
    EXPECT_GT(strcmp("\xE9", "z"), 0);
    EXPECT_LT(strcmp("Dynamic", "dynamic"), 0);  // exact, case-sensitive
    EXPECT_LT(strcmp("Mode", "Modes"), 0);
    EXPECT_EQ(strcmp("Reboot", "Reboot"), 0);
    EXPECT_EQ(strncmp("Group12", "Group34", 5), 0);
    EXPECT_LT(strncmp("Group12", "Group34", 6), 0);
    EXPECT_EQ(strncmp("ab", "ab\0x", 4), 0);  // stops at the end of both

    const char* name = "Check1.2";
    EXPECT_EQ(strchr(name, '.'), name + 6);
    EXPECT_EQ(strchr(name, 'x'), nullptr);
    EXPECT_EQ(strchr(name, '\0'), name + 8);

    EXPECT_EQ(strnlen("abc", 2), 2u);
    EXPECT_EQ(strnlen("abc", 3), 3u);
    EXPECT_EQ(strnlen("abc", 4), 3u);
}

}  // namespace
