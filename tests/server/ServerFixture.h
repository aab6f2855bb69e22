// Test set-up for the server: replaces the platform's debug output, system
// queries and property sheets with recording stand-ins for one test, and
// checks that the test leaves no factory or extension object alive.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ComTypes.h"
#include "platform/ComPtr.h"
#include "platform/Platform.h"

namespace vxtest {

class RecordingDebug final : public vx::IDebugOutput {
  public:
    void Write(const char* text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

class KeyboardSystem final : public vx::ISystem {
  public:
    int GetSystemMetrics(int) override { return 0; }
    int16_t GetKeyState(int virtualKey) override;
    // What GetKeyState gives for VK_CONTROL; 0 for every other key.
    int16_t controlState = 0;
    std::vector<int> queriedKeys;
};

class RecordingSheets final : public vx::IPropertySheets {
  public:
    struct Creation {
        vx::CPropertyPageBase* page;
        uint32_t flags;
        vx::PageHandle handle;
    };
    vx::PageHandle CreatePage(vx::CPropertyPageBase& page) override;
    int DestroyPage(vx::PageHandle page) override;
    void MarkModified(vx::WindowHandle) override {}

    bool failCreation = false;
    std::vector<Creation> created;
    std::vector<vx::PageHandle> destroyed;
};

class ServerTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    RecordingDebug debug;
    KeyboardSystem keyboard;
    RecordingSheets sheets;

  private:
    vx::PlatformServices m_saved;
};

// Gives a held reference back now and answers what Release said, for the
// tests of the counts.
template <typename Interface>
ULONG ReleaseNow(vx::ComPtr<Interface>& held) {
    return held.detach()->Release();
}

// Every trace line ends with a carriage return and a line feed.
std::string Line(const char* text);

}  // namespace vxtest
