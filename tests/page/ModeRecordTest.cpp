// The display-mode record built from the texts of the display library.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "page/ExpectedMode.h"
#include "page/PostApply.h"

namespace vxtest {
namespace {

TEST(SplitResolutionTest, ReadsWidthAndHeightAroundTheFirstComma) {
    const struct {
        const char* text;
        int32_t width;
        int32_t height;
    } cases[] = {
        {"1024,768", 1024, 768},
        {" 640 , 480", 640, 480},  // blanks before each number are skipped
        {"1024", 0, 1024},         // no comma: all of it is the height
        {"800,600,16", 800, 600},  // only the first comma counts
        {"", 0, 0},
        {",", 0, 0},
        {"x,y", 0, 0},
        {"-5,+7", -5, 7},
        {"\t1280,\n1024Hz", 1280, 1024},
        {"99999999999,-99999999999", 2147483647, -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int32_t width = -1;
        int32_t height = -1;
        vx::SplitResolution(c.text, &width, &height);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
    }
}

TEST(BuildModeRecordTest, SetsOnlySizeFieldsDepthResolutionAndFrequency) {
    vx::_settingdata data{};
    data.field1 = 0xFFFFFFFF;
    data.field2 = 0xFFFFFFFF;
    data.bitsPerPel = "16";
    data.resolution = "1024,768";
    data.field5 = "32";
    data.frequency = "75";
    vx::DisplayModeRecord mode;
    std::memset(&mode, 0xCD, sizeof mode);
    vx::BuildModeRecord(data, &mode);

    const vx::DisplayModeRecord expected = Mode1024x768x16At75();
    EXPECT_EQ(std::memcmp(&mode, &expected, sizeof mode), 0);
    EXPECT_EQ(offsetof(vx::DisplayModeRecord, dmBitsPerPel), 104u);
    EXPECT_EQ(offsetof(vx::DisplayModeRecord, dmDisplayFrequency), 120u);
}

TEST(BuildModeRecordTest, EmptyTextsGiveZeroes) {
    vx::_settingdata data{};
    vx::DisplayModeRecord mode;
    vx::BuildModeRecord(data, &mode);
    EXPECT_EQ(mode.dmSize, 148u);
    EXPECT_EQ(mode.dmFields, 0x005C0000u);
    EXPECT_EQ(mode.dmBitsPerPel, 0u);
    EXPECT_EQ(mode.dmPelsWidth, 0u);
    EXPECT_EQ(mode.dmPelsHeight, 0u);
    EXPECT_EQ(mode.dmDisplayFrequency, 0u);
}

}  // namespace
}  // namespace vxtest
