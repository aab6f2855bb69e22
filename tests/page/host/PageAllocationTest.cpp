// The page when memory runs short. The n-th allocation fails, for every n
// up to the first run that makes no more than n allocations:
// the dialog initialisation, a click and Apply never let an exception out
// of the page's message handling, never crash, and never delete stored
// data; once memory is back, a new showing shows the whole page.
#include <cstdlib>
#include <new>

#include "page/host/PageFixture.h"
#include "platform/WinConstants.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VX_NO_ALLOCATION_HOOK 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VX_NO_ALLOCATION_HOOK 1
#endif

namespace {

// Allocations that succeed before the one that fails; kNoLimit: none
// fails; kRefused: the one has failed, the others succeed.
constexpr long kNoLimit = -1;
constexpr long kRefused = -2;
long g_allocationsLeft = kNoLimit;

}  // namespace

// The sanitizers keep their own allocator; the hook is left out there.
#ifndef VX_NO_ALLOCATION_HOOK
namespace {
bool Refused() {
    if (g_allocationsLeft < 0) return false;
    if (g_allocationsLeft == 0) {
        g_allocationsLeft = kRefused;
        return true;
    }
    --g_allocationsLeft;
    return false;
}
}  // namespace

#if defined(__GNUC__) && !defined(__clang__)
// Blocks of this operator new come from malloc, so free is their match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t bytes) {
    if (!Refused()) {
        if (void* block = std::malloc(bytes != 0 ? bytes : 1)) return block;
    }
    throw std::bad_alloc();
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept {
    return Refused() ? nullptr : std::malloc(bytes != 0 ? bytes : 1);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    ::operator delete(block);
}
#endif

namespace vxtest {
namespace {

class PageAllocationTest : public PageTest {
  protected:
    std::vector<std::string> StoredData() {
        std::vector<std::string> stored = platform.ValueNames(LayoutKey());
        for (const LayoutSetting& s : ExampleSettings()) {
            if (platform.KeyExists(AssociationKey(s.name))) stored.push_back("key " + s.name);
        }
        return stored;
    }
};

// Runs one message with allocations limited; true when an exception got out.
template <typename Call>
bool Escapes(Call call) {
    try {
        call();
        return false;
    } catch (...) {
        return true;
    }
}

TEST_F(PageAllocationTest, RunningOutOfMemoryLosesNothingAndLetsNoExceptionOut) {
#ifdef VX_NO_ALLOCATION_HOOK
    GTEST_SKIP() << "the sanitizers' allocator cannot be replaced";
#endif
    LoadExample();
    Show();  // the first showing prunes the stray entry; a window for the others
    const vx::WindowHandle window = ui.sheets.PageWindow();
    const std::vector<std::string> stored = StoredData();
    ASSERT_EQ(stored.size(), 10u);

    long failures = 0;
    for (long limit = 0; limit < 100000; ++limit) {
        SCOPED_TRACE(limit);
        bool escaped = false;
        bool limitMet = false;
        {
            vx::CZrDriveDlg other;
            intptr_t result = 0;
            vx::NotifyHeader apply{window, 0, vx::kPsnApply};
            g_allocationsLeft = limit;
            escaped =
                Escapes([&] { other.HandleInitDialog(window); }) ||
                Escapes([&] { other.HandleMessage(window, vx::kWmCommand, 2002, 0, &result); }) ||
                Escapes([&] {
                    other.HandleMessage(window, vx::kWmNotify, 0,
                                        reinterpret_cast<intptr_t>(&apply), &result);
                });
            limitMet = g_allocationsLeft == kRefused;
            g_allocationsLeft = kNoLimit;
        }
        ASSERT_FALSE(escaped);
        ASSERT_EQ(StoredData(), stored);
        ASSERT_EQ(Ini(), kExampleIni);
        if (!limitMet) break;
        ++failures;
    }
    EXPECT_GT(failures, 10);

    ui.sheets.ClosePage();
    Show();
    EXPECT_EQ(Created().size(), 6u);
    EXPECT_EQ(StoredData(), stored);
}

}  // namespace
}  // namespace vxtest
