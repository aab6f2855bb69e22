// tarnel.dll loaded the way the Windows shell loads a property sheet
// handler, which gives back every reference: once the sheet has gone the
// module says it may be unloaded, and COM unloads it.
#include <gtest/gtest.h>

#include <cstdio>

#include "CycleCount.h"
#include "HeldCtrlKey.h"
#include "ProcessResources.h"
#include "ShellFixture.h"
#include "WindowsShellLoader.h"

namespace shelltest {
namespace {

class WindowsLoaderTest : public FreshModuleTest {};

TEST_F(WindowsLoaderTest, ModuleUnloadsOnceTheSheetHasGone) {
    {
        WindowsShellLoader loader;
        ASSERT_EQ(loader.Created(), S_OK);
        EXPECT_EQ(loader.Initialized(), S_OK);
        loader.AddPagesWithCtrlHeld();
        ASSERT_EQ(loader.PagesAdded(), 1u);
        ASSERT_NE(loader.OpenSheetAtExtensionPage(), nullptr);
        EXPECT_EQ(TarnelCanUnloadNow(), S_FALSE);
        loader.Finish();
    }
    // Unlike Wine's, this loader gives the IShellExtInit back before it asks
    // for the pages.
    std::vector<std::string> expected = CreationTrace();
    expected.insert(expected.end(), {
                                        "CShellExt::Release()",
                                        "CShellExt::AddPages()",
                                        "In DLLCanUnloadNow",  // asked while the sheet is open
                                        "CShellExt::Release()",
                                    });
    EXPECT_EQ(Trace(), expected);
    EXPECT_EQ(OutstandingReferences(), 0);
    AssertModuleUnloads();
}

TEST_F(WindowsLoaderTest, WithoutCtrlTheExtensionAddsNothingAndStillUnloads) {
    ASSERT_FALSE(displayhost::CtrlIsDown());
    {
        WindowsShellLoader loader;
        ASSERT_EQ(loader.Created(), S_OK);
        loader.AddPages();
        EXPECT_EQ(loader.PagesAdded(), 0u);
    }
    EXPECT_EQ(OutstandingReferences(), 0);
    EXPECT_TRUE(FreeUnusedTarnel());
}

// What one load and unload of a DLL costs that carries the same statically
// linked C++ runtime as tarnel.dll but no code of the page: tandrel.dll.
// The runtime keeps its emergency exception pool and its record of the
// loading thread (a thread handle and an event) after the unload.
struct RuntimeLoadCost {
    double handles = 0;
    double kilobytes = 0;
};

RuntimeLoadCost MeasureRuntimeLoadCost() {
    constexpr int kLoads = 40;
    auto loadAndFree = [] { vx::UniqueModule(LoadLibraryA("tandrel.dll")).reset(); };
    for (int i = 0; i < 3; ++i) loadAndFree();
    ProcessResources before = CountProcessResources();
    for (int i = 0; i < kLoads; ++i) loadAndFree();
    ProcessResources after = CountProcessResources();
    return {double(after.kernelHandles - before.kernelHandles) / kLoads,
            double(after.privateKilobytes - before.privateKilobytes) / kLoads};
}

TEST_F(WindowsLoaderTest, TwoHundredOpeningsLeaveNothingBehind) {
    const int kCycles = CycleCount(200, 50);
    constexpr int kWarmUp = 5;  // caches of the system libraries fill during the first cycles
    constexpr long kNoise = 5;
    constexpr long kMemoryNoiseKb = 256;
    // Each opening loads tarnel.dll, tandrel.dll with it, and ferolib.dll
    // while the page finds the driver's key.
    constexpr int kRuntimeLoadsPerCycle = 3;

    ProcessResources before;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        if (cycle == kWarmUp) before = CountProcessResources();
        {
            WindowsShellLoader loader;
            HWND page = nullptr;
            ASSERT_NO_FATAL_FAILURE(OpenHiddenPage(loader, &page)) << "cycle " << cycle;
        }
        ASSERT_NO_FATAL_FAILURE(AssertModuleUnloads()) << "cycle " << cycle;
        m_trace.Clear();
    }
    ProcessResources after = CountProcessResources();
    RuntimeLoadCost runtime = MeasureRuntimeLoadCost();
    const double loads = double(kCycles - kWarmUp) * kRuntimeLoadsPerCycle;
    std::printf(
        "%s\n"
        "after %d openings: gdi %ld -> %ld, user %ld -> %ld, handles %ld -> %ld, "
        "private KB %ld -> %ld\n"
        "the C++ runtime alone keeps %.2f handles and %.1f KB per DLL load\n",
        after.sources.c_str(), kCycles - kWarmUp, before.gdiObjects, after.gdiObjects,
        before.userObjects, after.userObjects, before.kernelHandles, after.kernelHandles,
        before.privateKilobytes, after.privateKilobytes, runtime.handles, runtime.kilobytes);
    ASSERT_GE(before.gdiObjects, 0);
    ASSERT_GE(before.kernelHandles, 0);
    EXPECT_LE(after.gdiObjects, before.gdiObjects + kNoise);
    EXPECT_LE(after.userObjects, before.userObjects + kNoise);
    EXPECT_LE(after.kernelHandles, before.kernelHandles + kNoise + long(loads * runtime.handles));
    EXPECT_LE(after.privateKilobytes,
              before.privateKilobytes + kMemoryNoiseKb + long(loads * runtime.kilobytes));
}

}  // namespace
}  // namespace shelltest
