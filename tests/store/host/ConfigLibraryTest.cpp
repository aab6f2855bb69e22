// The normal-start road of the driver key: the maker's "ferolib.dll",
// here a stand-in, fills the path. And the store's use of registry keys.
#include <string>

#include "platform/WinConstants.h"
#include "store/DriverFixture.h"
#include "store/LayoutStore.h"
#include "support/RegistryCalls.h"
#include "support/host/HostAccess.h"
#include "vx_abi.h"

namespace vxtest {
namespace {

const char kSymbol[] = "?GetConfigString@@YGHAAVCString@@H@Z";

struct ConfigCalls {
    int count = 0;
    int capacity = 0;
    std::string answer;
};
ConfigCalls g_calls;

int VX_STDCALL GetConfigString(vx::CString& text, int capacity) {
    ++g_calls.count;
    g_calls.capacity = capacity;
    if (!g_calls.answer.empty()) text = g_calls.answer.c_str();
    return 1;
}

class ConfigLibraryTest : public DriverTest {
  protected:
    ConfigLibraryTest() : DriverTest(false) {
        g_calls = ConfigCalls();
        platform.SetFailSafe(false);
        platform.LoadRegistry(
            RegText({KeyLine(kSoftwareKey), SzLine("CurrentDisplayKey", "0009")}));
    }
    vx::HostLibraries& Libraries() { return HostServices().Libraries(); }
    void RegisterLibrary() {
        Libraries().Register("ferolib.dll",
                             {{kSymbol, vx::HostLibraries::Symbol(&GetConfigString)}});
    }
};

TEST_F(ConfigLibraryTest, TheLibraryFillsThePathInPlace) {
    g_calls.answer = kDriverKey;
    RegisterLibrary();
    vx::CLayoutStore store;
    EXPECT_EQ(std::string(vx::DriverKeyPath), kDriverKey);
    EXPECT_EQ(g_calls.count, 1);
    EXPECT_EQ(g_calls.capacity, 256);
    EXPECT_EQ(Libraries().LoadedCount(), 0);

    vx::CLayoutStore again;
    EXPECT_EQ(g_calls.count, 1);
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 1);
}

TEST_F(ConfigLibraryTest, AMissingLibraryIsLookedForAtEveryConstruction) {
    { vx::CLayoutStore store; }
    { vx::CLayoutStore store; }
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 2);
}

TEST_F(ConfigLibraryTest, ALibraryWithoutTheEntryPointIsFreedAgain) {
    RegisterLibrary();
    Libraries().StripEntryPoint("ferolib.dll", kSymbol);
    vx::CLayoutStore store;
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());
    EXPECT_EQ(Libraries().LoadCount(), 1);
    EXPECT_EQ(Libraries().LoadedCount(), 0);
}

TEST_F(ConfigLibraryTest, AnEmptyAnswerIsAskedForAgain) {
    RegisterLibrary();
    { vx::CLayoutStore store; }
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());
    g_calls.answer = kDriverKey;
    { vx::CLayoutStore store; }
    EXPECT_EQ(g_calls.count, 2);
    EXPECT_EQ(std::string(vx::DriverKeyPath), kDriverKey);
    EXPECT_EQ(Libraries().LoadedCount(), 0);
}

TEST_F(ConfigLibraryTest, AResolvedPathAsksNothing) {
    vx::DriverKeyPath = "Preset";
    RegisterLibrary();
    const int metrics = HostServices().System().MetricsCalls();
    platform.SetFailSafe(true);
    RegistryCalls calls;
    vx::CLayoutStore store;
    EXPECT_EQ(std::string(vx::DriverKeyPath), "Preset");
    EXPECT_EQ(HostServices().System().MetricsCalls(), metrics);
    EXPECT_EQ(calls.open, 0);
    EXPECT_EQ(Libraries().LoadAttempts("ferolib.dll"), 0);
}

TEST_F(ConfigLibraryTest, NoKeyStaysOpenBetweenCalls) {
    vx::DriverKeyPath = kDriverKey;
    platform.LoadRegistry(
        RegText({KeyLine(LayoutKey()), SzLine("Check1_1", "A"), SzLine("Check1_2", "B"),
                 KeyLine(AssociationKey("Check1_1")), SzLine("Action", "Mode")}));
    vx::HostRegistryApi& api = HostServices().RegistryApi();
    RegistryCalls calls;
    vx::CLayoutStore store;
    vx::CString name;
    vx::CString data;
    while (store.NextLayoutValue(name, data)) {
    }
    store.AssociationValue("Check1_1", "Action", data, 1);
    store.AssociationValue("Check1_1", "Missing", data, 1);
    store.AssociationValue("Check1_9", "Action", data, 1);
    store.AssociationValue("Check1_1", "Default", data, 0);
    store.DeleteLayoutValue("Check1_2");
    store.DeleteAssociation("Check1_1");
    EXPECT_EQ(api.OpenHandleCount(), 0u);
    EXPECT_EQ(calls.open, calls.close + 1);  // Check1_9 was never opened
}

}  // namespace
}  // namespace vxtest
