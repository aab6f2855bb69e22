// The one owner of handles and the COM reference built on it: each handle
// is closed exactly once, by the closer it was taken with, and never while
// something else holds it.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/ComPtr.h"
#include "platform/UniqueHandle.h"

namespace {

// Records the handles it closes, in a log of its own (its state).
struct LoggingCloser {
    using Handle = int;
    static constexpr int kInvalid = -1;
    std::vector<int>* log = nullptr;
    void operator()(int handle) const { log->push_back(handle); }
};
using Owner = vx::UniqueHandle<LoggingCloser>;

// Handle 0 is a real handle here: only -1 means none.
TEST(UniqueHandle, ClosesWhatItHoldsOnceAndOnlyValidHandles) {
    std::vector<int> log;
    {
        Owner zero(LoggingCloser{&log}, 0);
        Owner none(LoggingCloser{&log}, -1);
        Owner empty(LoggingCloser{&log}, Owner::Invalid());
        EXPECT_TRUE(zero.valid());
        EXPECT_FALSE(none);
        EXPECT_EQ(empty.get(), -1);
    }
    EXPECT_EQ(log, std::vector<int>{0});
}

TEST(UniqueHandle, ReleaseGivesUpAndResetClosesTheOldHandle) {
    std::vector<int> log;
    {
        Owner owner(LoggingCloser{&log}, 7);
        EXPECT_EQ(owner.release(), 7);
        EXPECT_FALSE(owner.valid());
        owner.reset(8);
        owner.reset(9);
        EXPECT_EQ(log, std::vector<int>{8});
        int* slot = owner.put();  // an out-parameter closes first
        EXPECT_EQ(log, (std::vector<int>{8, 9}));
        EXPECT_EQ(*slot, -1);
        *slot = 10;
        EXPECT_EQ(owner.get(), 10);
    }
    EXPECT_EQ(log, (std::vector<int>{8, 9, 10}));
}

// A move carries the handle and the closer's state; the source closes
// nothing, and an assignment closes what the target held through the
// target's own closer.
TEST(UniqueHandle, MovesTheHandleWithItsCloser) {
    std::vector<int> first;
    std::vector<int> second;
    {
        Owner a(LoggingCloser{&first}, 1);
        Owner b(std::move(a));
        EXPECT_FALSE(a.valid());
        EXPECT_EQ(b.get(), 1);
        Owner c(LoggingCloser{&second}, 2);
        c = std::move(b);
        EXPECT_EQ(second, std::vector<int>{2});
        EXPECT_TRUE(first.empty());
        Owner& same = c;  // a self-move, as through an alias in real code
        c = std::move(same);
        EXPECT_EQ(c.get(), 1);
    }
    EXPECT_EQ(first, std::vector<int>{1});
    EXPECT_EQ(second, std::vector<int>{2});
}

std::vector<int> closedByCall;
void CloseByCall(int handle) {
    closedByCall.push_back(handle);
}

TEST(UniqueHandle, CallCloserCallsItsFunctionForHeldHandlesOnly) {
    closedByCall.clear();
    {
        vx::UniqueHandle<vx::CallCloser<int, &CloseByCall>> none;
        vx::UniqueHandle<vx::CallCloser<int, &CloseByCall>> held(3);
        none.reset();
    }
    EXPECT_EQ(closedByCall, std::vector<int>{3});
}

// The member whose name the module fixes holds the handle; the owner
// empties it on the way in, whenever it closes, and on the way out.
TEST(UniqueHandle, SlotOwnerKeepsTheOutsideSlotTrue) {
    std::vector<int> log;
    int slot = 42;  // not the owner's: never closed
    {
        vx::UniqueHandle<LoggingCloser, vx::HeldInSlot<int>> owner(LoggingCloser{&log},
                                                                   vx::HeldInSlot<int>(slot));
        EXPECT_EQ(slot, -1);
        *owner.put() = 5;
        EXPECT_EQ(slot, 5);
        owner.reset();
        EXPECT_EQ(slot, -1);
        owner.reset(6);
        EXPECT_EQ(slot, 6);
    }
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(log, (std::vector<int>{5, 6}));
}

// A COM object that counts its references and never frees itself.
struct CountedObject {
    int references = 1;
    int AddRef() { return ++references; }
    int Release() { return --references; }
};

TEST(ComPtr, AttachTakesOverAndCopyTakesItsOwnReference) {
    CountedObject object;
    {
        vx::ComPtr<CountedObject> held = vx::ComPtr<CountedObject>::Attached(&object);
        EXPECT_EQ(object.references, 1);
        vx::ComPtr<CountedObject> copied;
        copied.copy(&object);
        EXPECT_EQ(object.references, 2);
        copied.copy(&object);  // the same object again: still one reference of its own
        EXPECT_EQ(object.references, 2);
        vx::ComPtr<CountedObject> moved(std::move(copied));
        EXPECT_EQ(copied.get(), nullptr);
        EXPECT_EQ(moved->references, 2);
    }
    EXPECT_EQ(object.references, 0);
}

TEST(ComPtr, PutReleasesFirstAndDetachHandsTheReferenceOut) {
    CountedObject first;
    CountedObject second;
    vx::ComPtr<CountedObject> held;
    held.attach(&first);
    *held.put() = &second;
    EXPECT_EQ(first.references, 0);
    EXPECT_EQ(held.get(), &second);
    EXPECT_EQ(held.detach(), &second);
    EXPECT_FALSE(held);
    held.reset();
    EXPECT_EQ(second.references, 1);
    CountedObject* raw = &first;
    *held.put_void() = raw;
    held.reset();
    EXPECT_EQ(first.references, -1);
}

}  // namespace
