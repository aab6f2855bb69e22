// tarnel.dll opened and closed a thousand times in one process, loaded the
// way the Windows shell loads a property sheet handler: each cycle creates
// the extension, opens "Display Properties" at the page, closes the sheet,
// gives every reference back and lets COM unload the module (and with it
// tandrel.dll; ferolib.dll is loaded and freed while the page finds the
// driver's key). Nothing may pile up across the cycles: kernel handles,
// GDI and USER objects stay flat and memory stays bounded. The sheet is
// never mapped on the display (see WindowsShellLoader), which keeps a
// cycle short under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CycleCount.h"
#include "ProcessResources.h"
#include "ShellFixture.h"
#include "WindowsShellLoader.h"

namespace shelltest {
namespace {

const char* const kLibraries[] = {"tarnel.dll", "tandrel.dll", "ferolib.dll"};

// Counts that the system's own work moves up and down by a few.
constexpr long kNoise = 5;

// Bytes of the smallest heap block that the modules allocate (a font
// reference holds one handle).
constexpr long kSmallestBlock = 4;

// Bytes in use in all heaps of the process (the C runtime's among them).
long HeapBytes() {
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    long bytes = 0;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += static_cast<long>(entry.cbData);
        }
        HeapUnlock(heaps[i]);
    }
    return bytes;
}

struct Sample {
    ProcessResources resources;
    long heapBytes = 0;
    DWORD milliseconds = 0;
};

// The counts' description is text on the heap: it is dropped before the heap
// is counted, so that a sample kept across the next measurement does not
// count as growth (it once showed as 241 bytes after every window).
Sample Measure() {
    Sample s;
    s.resources = CountProcessResources();
    std::string().swap(s.resources.sources);
    s.heapBytes = HeapBytes();
    s.milliseconds = GetTickCount();
    return s;
}

void Print(const char* when, const Sample& s, DWORD start) {
    const ProcessResources& r = s.resources;
    std::printf(
        "%-22s gdi %4ld  user %3ld  handles %4ld  private KB %6ld  heap bytes %8ld  %5.1f s\n",
        when, r.gdiObjects, r.userObjects, r.kernelHandles, r.privateKilobytes, s.heapBytes,
        (s.milliseconds - start) / 1000.0);
}

// The first free slot of thread-local storage.
DWORD FirstFreeTlsSlot() {
    const DWORD slot = TlsAlloc();
    if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
    return slot;
}

class LoadTest : public FreshModuleTest {
  protected:
    // One opening and closing; the module is unloaded at its end.
    void Cycle(int cycle, Sample* whileOpen) {
        {
            WindowsShellLoader loader;
            HWND page = nullptr;
            ASSERT_NO_FATAL_FAILURE(OpenHiddenPage(loader, &page)) << "cycle " << cycle;
            ASSERT_EQ(TarnelCanUnloadNow(), S_FALSE) << "cycle " << cycle;
            if (whileOpen != nullptr) *whileOpen = Measure();
            loader.Finish();
        }
        ASSERT_EQ(OutstandingReferences(), 0) << "cycle " << cycle;
        ASSERT_NO_FATAL_FAILURE(AssertModuleUnloads()) << "cycle " << cycle;
        for (const char* name : kLibraries)
            ASSERT_EQ(GetModuleHandleA(name), nullptr) << name << ", cycle " << cycle;
        m_trace.Clear();
    }
};

// Each library gives back, when freed, all that its loading took: its
// static objects, the exit list and every heap block. Fifty loads would show
// a leftover fifty times over. The system keeps a little of its own the
// first times a library is loaded (under Wine, 52 bytes once for tarnel.dll);
// the first fifty loads settle that, and the fifty after them are measured.
TEST_F(LoadTest, EachLibraryIsFreedWithoutLeftovers) {
    constexpr int kLoads = 50;
    auto loadAndFree = [](const char* name, int times) {
        for (int i = 0; i < times; ++i) {
            vx::UniqueModule library(LoadLibraryA(name));
            ASSERT_TRUE(library);
        }
    };
    for (const char* name : kLibraries) {
        SCOPED_TRACE(name);
        const Sample first = Measure();
        ASSERT_NO_FATAL_FAILURE(loadAndFree(name, kLoads));
        const Sample before = Measure();
        const DWORD slot = FirstFreeTlsSlot();
        ASSERT_NO_FATAL_FAILURE(loadAndFree(name, kLoads));
        ASSERT_EQ(GetModuleHandleA(name), nullptr);
        const Sample after = Measure();
        EXPECT_EQ(FirstFreeTlsSlot(), slot);
        EXPECT_LE(after.resources.kernelHandles, before.resources.kernelHandles + kNoise);
        // Expected: 0. The bound is the smallest block the module allocates,
        // so that any block left behind at each load shows.
        const long growth = after.heapBytes - before.heapBytes;
        std::printf("%s: heap growth over the first %d loads %ld bytes, then %.2f bytes per load\n",
                    name, kLoads, before.heapBytes - first.heapBytes,
                    static_cast<double>(growth) / kLoads);
        EXPECT_LT(growth, kLoads * kSmallestBlock);
    }
}

TEST_F(LoadTest, AThousandOpeningsLeaveNothingBehind) {
    constexpr int kSampleEvery = 100;
    const int kCycles = CycleCount(1000, 200);
    constexpr int kWarmUp = 10;  // caches of the system libraries fill during the first cycles
    // Far below what one page object with its entries takes.
    constexpr long kHeapSlackBytes = 32 * 1024;
    constexpr long kPrivateSlackKb = 512;

    const DWORD start = GetTickCount();
    Sample before;
    Sample openFirst;
    Sample openLast;
    std::vector<Sample> samples;
    samples.reserve(kCycles / kSampleEvery);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        if (cycle == kWarmUp) before = Measure();
        Sample* whileOpen = nullptr;
        if (cycle == kWarmUp) whileOpen = &openFirst;
        if (cycle == kCycles - 1) whileOpen = &openLast;
        ASSERT_NO_FATAL_FAILURE(Cycle(cycle, whileOpen));
        if ((cycle + 1) % kSampleEvery == 0) samples.push_back(Measure());
    }
    ASSERT_GE(samples.size(), 2u);
    const Sample after = samples.back();
    const size_t halfIndex = samples.size() / 2 - 1;
    const Sample& half = samples[halfIndex];
    const int secondHalfCycles = kCycles - static_cast<int>(halfIndex + 1) * kSampleEvery;
    const double heapPerCycle =
        static_cast<double>(after.heapBytes - half.heapBytes) / secondHalfCycles;

    std::printf("%s\n", CountProcessResources().sources.c_str());
    Print("before", before, start);
    for (size_t i = 0; i < samples.size(); ++i) {
        char when[32];
        std::snprintf(when, sizeof when, "after %zu cycles", (i + 1) * kSampleEvery);
        Print(when, samples[i], start);
    }
    Print("open, first measured", openFirst, start);
    Print("open, last", openLast, start);
    std::printf("heap growth per cycle over the second half: %.2f bytes\n", heapPerCycle);

    const ProcessResources& b = before.resources;
    const ProcessResources& a = after.resources;
    ASSERT_GE(b.gdiObjects, 0);
    ASSERT_GE(b.userObjects, 0);
    ASSERT_GE(b.kernelHandles, 0);
    EXPECT_LE(a.gdiObjects, b.gdiObjects + kNoise);
    EXPECT_LE(a.userObjects, b.userObjects + kNoise);
    EXPECT_LE(a.kernelHandles, b.kernelHandles + kNoise);
    EXPECT_LE(a.kernelHandles, half.resources.kernelHandles + kNoise);
    // Memory: nothing of the modules' own stays behind.
    EXPECT_LE(after.heapBytes - before.heapBytes, kHeapSlackBytes);
    EXPECT_LE(a.privateKilobytes, b.privateKilobytes + kPrivateSlackKb);
    // The open sheet holds as much at the last opening as at the first.
    EXPECT_LE(openLast.resources.gdiObjects, openFirst.resources.gdiObjects + kNoise);
    EXPECT_LE(openLast.resources.userObjects, openFirst.resources.userObjects + kNoise);
    EXPECT_LE(openLast.resources.kernelHandles, openFirst.resources.kernelHandles + kNoise);
}

}  // namespace
}  // namespace shelltest
