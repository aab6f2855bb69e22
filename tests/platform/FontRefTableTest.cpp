// The framework's font objects: one per handle for as long as the table
// lives, whichever order the handles come in.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/framework/FontRefTable.h"

namespace {

vx::FontHandle Font(uintptr_t n) {
    return reinterpret_cast<vx::FontHandle>(n);
}

TEST(FontRefTable, OneObjectPerHandleKeptWhileOthersAreAdded) {
    vx::CFontRefTable table;
    EXPECT_EQ(table.FromHandle(nullptr), nullptr);
    EXPECT_EQ(table.GetCount(), 0);

    // Handles that differ only in high or low bits, in no order.
    const uintptr_t values[] = {0x10, 0x8010, 0x11, 0x80000010u, 0xF, 0x7FFF0010, 0x1010};
    std::vector<vx::CFontRef*> made;
    for (uintptr_t value : values) {
        vx::CFontRef* font = table.FromHandle(Font(value));
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->GetSafeHandle(), Font(value));
        made.push_back(font);
    }
    EXPECT_EQ(table.GetCount(), 7);
    // Asked again, first to last and last to first: the same objects.
    for (size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(table.FromHandle(Font(values[i])), made[i]) << i;
        const size_t j = made.size() - 1 - i;
        EXPECT_EQ(table.FromHandle(Font(values[j])), made[j]) << j;
    }
    EXPECT_EQ(table.FromHandle(nullptr), nullptr);
    EXPECT_EQ(table.GetCount(), 7);
    for (size_t i = 0; i < made.size(); ++i) {
        for (size_t j = i + 1; j < made.size(); ++j) EXPECT_NE(made[i], made[j]);
    }
}

// The module's own table hands out objects that callers never free and
// that stay valid for the next showing.
TEST(FontRefTable, TheModulesTableKeepsItsObjects) {
    vx::CFontRef* first = vx::CFontRef::FromHandle(Font(0x4A4A));
    ASSERT_NE(first, nullptr);
    vx::CFontRef* other = vx::CFontRef::FromHandle(Font(0x4A4B));
    ASSERT_NE(other, nullptr);
    EXPECT_NE(first, other);
    EXPECT_EQ(vx::CFontRef::FromHandle(Font(0x4A4A)), first);
    EXPECT_EQ(first->GetSafeHandle(), Font(0x4A4A));
    EXPECT_EQ(vx::CFontRef::FromHandle(nullptr), nullptr);
}

}  // namespace
