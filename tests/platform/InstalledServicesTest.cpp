// A backend's services going into Platform() and out again.
#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace {

class QuietSystem final : public vx::ISystem {
  public:
    int GetSystemMetrics(int) override { return 0; }
    int16_t GetKeyState(int) override { return 0; }
};

class QuietOutput final : public vx::IDebugOutput {
  public:
    void Write(const char*) override {}
};

// Owns a system and a debug output; no other service.
class TwoServices final : public vx::InstalledServices {
  public:
    TwoServices() {
        vx::PlatformServices own;
        own.system = &system;
        own.debug = &debug;
        SetOwn(own);
    }
    QuietSystem system;
    QuietOutput debug;
};

class InstalledServicesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_saved = vx::Platform();
        vx::Platform() = vx::PlatformServices{};
    }
    void TearDown() override { vx::Platform() = m_saved; }

  private:
    vx::PlatformServices m_saved;
};

TEST_F(InstalledServicesTest, InstallFillsOnlyTheOwnSlotsAndUninstallPutsBackWhatItFound) {
    QuietSystem earlier;
    QuietSystem other;
    vx::Platform().system = &earlier;
    vx::Platform().windows = nullptr;
    {
        TwoServices services;
        EXPECT_FALSE(services.Installed());
        services.Install();
        EXPECT_TRUE(services.Installed());
        EXPECT_EQ(vx::Platform().system, &services.system);
        EXPECT_EQ(vx::Platform().debug, &services.debug);
        EXPECT_EQ(vx::Platform().registry, nullptr);
        EXPECT_EQ(vx::Platform().windows, nullptr);

        services.Uninstall();
        EXPECT_FALSE(services.Installed());
        EXPECT_EQ(vx::Platform().system, &earlier);
        EXPECT_EQ(vx::Platform().debug, nullptr);

        // A slot taken by someone else meanwhile stays theirs.
        services.Install();
        vx::Platform().system = &other;
    }
    EXPECT_EQ(vx::Platform().system, &other);
    EXPECT_EQ(vx::Platform().debug, nullptr);
}

TEST_F(InstalledServicesTest, InstallingTwiceKeepsWhatTheFirstInstallFound) {
    QuietSystem earlier;
    vx::Platform().system = &earlier;
    TwoServices services;
    services.Install();
    services.Install();
    services.Uninstall();
    EXPECT_EQ(vx::Platform().system, &earlier);
    // Uninstalling again changes nothing.
    services.Uninstall();
    EXPECT_EQ(vx::Platform().system, &earlier);
}

TEST_F(InstalledServicesTest, ForEachServiceVisitsEverySlotOnce) {
    vx::PlatformServices a;
    vx::PlatformServices b;
    int visits = 0;
    vx::ForEachService(
        [&visits](auto*& left, auto*& right) {
            ++visits;
            EXPECT_EQ(left, right);
        },
        a, b);
    EXPECT_EQ(visits, static_cast<int>(sizeof(vx::PlatformServices) / sizeof(void*)));
}

}  // namespace
