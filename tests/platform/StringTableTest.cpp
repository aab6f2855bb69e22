// Loading a string-table text into a string: the system's answer (the
// number of characters it copied, as LoadStringA gives it) decides, not
// what the buffer holds. A text that is missing or empty (an answer of 0)
// counts as not loaded and leaves the string empty.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/ForwardingPlatform.h"
#include "platform/framework/FrameworkString.h"

namespace {

// A string table that copies "Stale text" into every buffer (as a system
// may leave a buffer holding something) and answers as it is told.
class StringTable final : public vx::ForwardingPlatform {
  public:
    StringTable() : m_previous(vx::Platform().shell) { vx::Platform().shell = this; }
    ~StringTable() override { vx::Platform().shell = m_previous; }

    int LoadStringResource(vx::InstanceHandle, uint32_t id, char* buffer, int capacity) override {
        lastId = id;
        std::strncpy(buffer, "Stale text", static_cast<size_t>(capacity));
        buffer[capacity - 1] = '\0';
        return answer;
    }

    int answer = 0;
    uint32_t lastId = 0;

  private:
    vx::IShellServices* m_previous;
};

TEST(StringTableTest, AMissingOrEmptyTextIsNotLoaded) {
    StringTable table;
    vx::CString text("Earlier text");
    table.answer = 0;
    EXPECT_FALSE(text.LoadFromTable(2));
    EXPECT_EQ(table.lastId, 2u);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_STREQ(text.c_str(), "");
}

TEST(StringTableTest, TheAnswerGivesTheLength) {
    StringTable table;
    vx::CString text;
    table.answer = 5;
    ASSERT_TRUE(text.LoadFromTable(7));
    EXPECT_EQ(table.lastId, 7u);
    EXPECT_EQ(std::string(text.c_str()), "Stale");
    EXPECT_EQ(text.GetLength(), 5);
}

TEST(StringTableTest, WithoutAStringTableNothingIsLoaded) {
    vx::IShellServices* previous = vx::Platform().shell;
    vx::Platform().shell = nullptr;
    vx::CString text("Earlier text");
    EXPECT_FALSE(text.LoadFromTable(2));
    EXPECT_TRUE(text.IsEmpty());
    vx::Platform().shell = previous;
}

}  // namespace
