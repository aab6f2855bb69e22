// Resolution of the driver key on the fail-safe road, which reads the
// maker's software key.
#include <string>

#include "store/DriverFixture.h"
#include "store/LayoutStore.h"

namespace vxtest {
namespace {

const std::string kPrefix = "System\\CurrentControlSet\\Services\\Class\\Display\\";

class FailSafeResolution : public DriverTest {
  protected:
    FailSafeResolution() : DriverTest(false) { platform.SetFailSafe(true); }

    void LoadCurrentDisplayKey(const std::string& valueLine) {
        platform.LoadRegistry(RegText({KeyLine(kSoftwareKey), valueLine}));
    }
};

TEST_F(FailSafeResolution, ComposesThePathFromTheSubkeyName) {
    LoadCurrentDisplayKey(SzLine("CurrentDisplayKey", "0001"));
    vx::CLayoutStore store;
    EXPECT_EQ(std::string(vx::DriverKeyPath), kPrefix + "0001");
    EXPECT_EQ(vx::DriverKeyPath.GetLength(), 52);
    EXPECT_EQ(store.EnumerationIndex(), 0u);
}

TEST_F(FailSafeResolution, TakesNonTextDataUpToItsFirstZeroByte) {
    LoadCurrentDisplayKey("\"CurrentDisplayKey\"=hex:30,30,30,37,00,41,42");
    vx::CLayoutStore store;
    EXPECT_EQ(std::string(vx::DriverKeyPath), kPrefix + "0007");
}

// Data that fills the whole room of 256 bytes is read, its text ending at
// its first zero byte; one byte more does not fit and nothing is read.
TEST_F(FailSafeResolution, DataFillingTheWholeRoomIsReadUpToItsZeroByte) {
    const auto hexOf = [](size_t bytes) {
        std::string line = "\"CurrentDisplayKey\"=hex:30,30,30,39,00";
        for (size_t i = 5; i < bytes; ++i) line += ",5a";  // 'Z' after the zero byte
        return line;
    };
    LoadCurrentDisplayKey(hexOf(256));
    { vx::CLayoutStore store; }
    EXPECT_EQ(std::string(vx::DriverKeyPath), kPrefix + "0009");

    vx::DriverKeyPath.Empty();
    LoadCurrentDisplayKey(hexOf(257));
    { vx::CLayoutStore store; }
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());
}

TEST_F(FailSafeResolution, MissingSoftwareKeyLeavesThePathEmptyAndIsTriedAgain) {
    platform.LoadRegistry(RegText({}));
    { vx::CLayoutStore store; }
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());

    LoadCurrentDisplayKey(SzLine("CurrentDisplayKey", "0002"));
    vx::CLayoutStore store;
    EXPECT_EQ(std::string(vx::DriverKeyPath), kPrefix + "0002");
}

TEST_F(FailSafeResolution, MissingValueLeavesThePathEmpty) {
    LoadCurrentDisplayKey(SzLine("OtherKey", "0001"));
    vx::CLayoutStore store;
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());
}

TEST_F(FailSafeResolution, SubkeyNamesThatDoNotFitAreRefused) {
    // 48 characters of prefix leave room for 208 of the subkey name.
    const std::string longest(208, 'k');
    LoadCurrentDisplayKey(SzLine("CurrentDisplayKey", longest));
    { vx::CLayoutStore store; }
    EXPECT_EQ(std::string(vx::DriverKeyPath), kPrefix + longest);
    EXPECT_EQ(vx::DriverKeyPath.GetLength(), 256);

    vx::DriverKeyPath.Empty();
    LoadCurrentDisplayKey(SzLine("CurrentDisplayKey", longest + "x"));
    { vx::CLayoutStore store; }
    EXPECT_TRUE(vx::DriverKeyPath.IsEmpty());
}

TEST_F(FailSafeResolution, AResolvedPathIsNeverLookedUpAgain) {
    LoadCurrentDisplayKey(SzLine("CurrentDisplayKey", "0001"));
    { vx::CLayoutStore store; }
    LoadCurrentDisplayKey(SzLine("CurrentDisplayKey", "0009"));
    vx::CLayoutStore store;
    EXPECT_EQ(std::string(vx::DriverKeyPath), kPrefix + "0001");
    EXPECT_EQ(store.EnumerationIndex(), 0u);
}

}  // namespace
}  // namespace vxtest
