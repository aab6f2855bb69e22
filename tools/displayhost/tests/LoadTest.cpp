// tarnel.dll opened and closed a thousand times in one process, loaded the
// way the Windows shell loads a property sheet handler: each cycle creates
// the extension, opens "Display Properties" at the page, closes the sheet,
// gives every reference back and lets COM unload the module (and with it
// tandrel.dll; ferolib.dll is loaded and freed while the page finds the
// driver's key). Nothing may pile up across the cycles: kernel handles,
// GDI and USER objects stay flat and memory stays bounded.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "ProcessResources.h"
#include "ShellFixture.h"
#include "WindowsShellLoader.h"

namespace shelltest {
namespace {

const char* const kLibraries[] = {"tarnel.dll", "tandrel.dll", "ferolib.dll"};

// Counts that the system's own work moves up and down by a few.
constexpr long kNoise = 5;

class LoadTest : public ShellTest {
  protected:
    void SetUp() override {
        if (TarnelLoaded())
            GTEST_SKIP() << "tarnel.dll is already held by an earlier test of this process";
        ShellTest::SetUp();
    }

    // One opening and closing; the module is unloaded at its end.
    void Cycle(int cycle, ProcessResources* whileOpen) {
        {
            WindowsShellLoader loader(true);
            ASSERT_EQ(loader.Created(), S_OK) << "cycle " << cycle;
            ASSERT_EQ(loader.PagesAdded(), 1u) << "cycle " << cycle;
            HWND page = loader.OpenSheetAtExtensionPage();
            ASSERT_NE(page, nullptr) << "cycle " << cycle;
            ASSERT_NE(GetDlgItem(page, 2001), nullptr) << "cycle " << cycle;
            ASSERT_EQ(TarnelCanUnloadNow(), S_FALSE) << "cycle " << cycle;
            if (whileOpen != nullptr) *whileOpen = CountProcessResources();
            loader.Finish();
        }
        ASSERT_EQ(OutstandingReferences(), 0) << "cycle " << cycle;
        ASSERT_EQ(TarnelCanUnloadNow(), S_OK) << "cycle " << cycle;
        ASSERT_TRUE(FreeUnusedTarnel()) << "cycle " << cycle;
        for (const char* name : kLibraries)
            ASSERT_EQ(GetModuleHandleA(name), nullptr) << name << ", cycle " << cycle;
        m_trace.Clear();
    }
};

void Print(const char* when, const ProcessResources& r) {
    std::printf("%-22s gdi %5ld  user %4ld  handles %5ld  private KB %7ld\n", when, r.gdiObjects,
                r.userObjects, r.kernelHandles, r.privateKilobytes);
}

// Each library's statically linked runtime gives back, when the library is
// freed, what it made for the loading thread: fifty loads leave nothing.
TEST_F(LoadTest, EachLibraryIsFreedWithoutLeftovers) {
    constexpr int kLoads = 50;
    for (const char* name : kLibraries) {
        SCOPED_TRACE(name);
        for (int i = 0; i < 3; ++i) FreeLibrary(LoadLibraryA(name));
        const ProcessResources before = CountProcessResources();
        for (int i = 0; i < kLoads; ++i) {
            HMODULE library = LoadLibraryA(name);
            ASSERT_NE(library, nullptr);
            FreeLibrary(library);
        }
        ASSERT_EQ(GetModuleHandleA(name), nullptr);
        const ProcessResources after = CountProcessResources();
        // Two handles or a few kilobytes kept per load would show fifty times over.
        EXPECT_LE(after.kernelHandles, before.kernelHandles + kNoise);
        EXPECT_LE(after.privateKilobytes, before.privateKilobytes + 128);
    }
}

TEST_F(LoadTest, AThousandOpeningsLeaveNothingBehind) {
    constexpr int kCycles = 1000;
    constexpr int kWarmUp = 10;  // caches of the system libraries fill during the first cycles
    constexpr int kSampleEvery = 100;
    constexpr long kMemorySlackKb = 512;

    ProcessResources before;
    ProcessResources openBefore;
    ProcessResources openAfter;
    std::vector<ProcessResources> samples;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        if (cycle == kWarmUp) before = CountProcessResources();
        ProcessResources* whileOpen = nullptr;
        if (cycle == kWarmUp) whileOpen = &openBefore;
        if (cycle == kCycles - 1) whileOpen = &openAfter;
        ASSERT_NO_FATAL_FAILURE(Cycle(cycle, whileOpen));
        if ((cycle + 1) % kSampleEvery == 0) samples.push_back(CountProcessResources());
    }
    const ProcessResources& after = samples.back();
    const ProcessResources& half = samples[samples.size() / 2 - 1];

    std::printf("%s\n", after.sources.c_str());
    Print("before", before);
    for (size_t i = 0; i < samples.size(); ++i) {
        char when[32];
        std::snprintf(when, sizeof when, "after %zu cycles", (i + 1) * kSampleEvery);
        Print(when, samples[i]);
    }
    Print("open, first measured", openBefore);
    Print("open, last", openAfter);

    ASSERT_GE(before.gdiObjects, 0);
    ASSERT_GE(before.userObjects, 0);
    ASSERT_GE(before.kernelHandles, 0);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kNoise);
    EXPECT_LE(after.userObjects, before.userObjects + kNoise);
    EXPECT_LE(after.kernelHandles, before.kernelHandles + kNoise);
    EXPECT_LE(after.privateKilobytes, before.privateKilobytes + kMemorySlackKb);
    // No slow growth either: the second half of the cycles adds nothing.
    EXPECT_LE(after.kernelHandles, half.kernelHandles + kNoise);
    EXPECT_LE(after.privateKilobytes, half.privateKilobytes + kMemorySlackKb / 2);
    // The open sheet holds as much at the last opening as at the first.
    EXPECT_LE(openAfter.gdiObjects, openBefore.gdiObjects + kNoise);
    EXPECT_LE(openAfter.userObjects, openBefore.userObjects + kNoise);
}

}  // namespace
}  // namespace shelltest
