// The compiled resources of the module, read back through the real API:
// dialog template 107 as the page's geometry relies on it, the string
// table, menu 104 and icon 113.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/WinHandles.h"
#include "resources/resource.h"

namespace vxtest {
namespace {

// Reads a DIALOG (not DIALOGEX) template word by word.
class TemplateReader {
  public:
    explicit TemplateReader(const uint8_t* data) : m_data(data) {}
    uint16_t Word() {
        uint16_t w;
        std::memcpy(&w, m_data + m_at, 2);
        m_at += 2;
        return w;
    }
    uint32_t Dword() {
        uint32_t low = Word();
        return low | (uint32_t{Word()} << 16);
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    std::string Text() {
        std::string text;
        for (uint16_t c = Word(); c != 0; c = Word()) text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal: "#n" for an ordinal.
    std::string NameOrOrdinal() {
        uint16_t first;
        std::memcpy(&first, m_data + m_at, 2);
        if (first == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignDword() { m_at = (m_at + 3) & ~size_t{3}; }

  private:
    const uint8_t* m_data;
    size_t m_at = 0;
};

struct Item {
    uint32_t style;
    int16_t x, y, cx, cy;
    uint16_t id;
    std::string className;
    std::string text;
};

TEST(ResourceTest, DialogTemplateOfThePage) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_ADVANCED_PAGE), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);

    TemplateReader r(data);
    EXPECT_EQ(r.Dword(), 0x48C00040u);
    EXPECT_EQ(r.Dword(), 0u);
    const uint16_t count = r.Word();
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 249);
    EXPECT_EQ(r.Short(), 223);
    EXPECT_EQ(r.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(r.NameOrOrdinal(), "");  // the standard dialog class
    EXPECT_EQ(r.Text(), "Vexaro");
    EXPECT_EQ(r.Word(), 8);
    EXPECT_EQ(r.Text(), "MS Sans Serif");

    ASSERT_EQ(count, 3);
    std::vector<Item> items;
    for (int i = 0; i < count; ++i) {
        r.AlignDword();
        Item item;
        item.style = r.Dword();
        r.Dword();  // extended style
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = r.Word();
        item.className = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        EXPECT_EQ(r.Word(), 0);  // no creation data
        items.push_back(item);
    }
    const char kWarning[] =
        "It is recommended that only advanced users and system administrators change these "
        "settings.";
    const struct {
        uint16_t id;
        const char* className;  // #130 static, #128 button
        const char* text;
        uint32_t style;
        int16_t x, y, cx, cy;
    } expected[] = {
        {1017, "#130", kWarning, 0x50020000, 34, 5, 182, 24},
        {1005, "#128", "&Reset", 0x50010000, 192, 202, 50, 14},
        {1018, "#130", "#113", 0x50000003, 7, 5, 18, 20},
    };
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].className, expected[i].className);
        EXPECT_EQ(items[i].text, expected[i].text);
        EXPECT_EQ(items[i].style, expected[i].style);
        EXPECT_EQ(items[i].x, expected[i].x);
        EXPECT_EQ(items[i].y, expected[i].y);
        EXPECT_EQ(items[i].cx, expected[i].cx);
        EXPECT_EQ(items[i].cy, expected[i].cy);
    }
}

TEST(ResourceTest, StringTableMenuAndIcon) {
    HMODULE module = GetModuleHandleA(nullptr);
    char text[512];
    ASSERT_GT(LoadStringA(module, 1, text, sizeof text), 0);
    EXPECT_STREQ(text, "Advanced");
    ASSERT_GT(LoadStringA(module, 2, text, sizeof text), 0);
    EXPECT_STREQ(text,
                 "You must restart your computer before the changes will take effect.\x0A"
                 "Do you want to restart your computer now?");

    const vx::UniqueMenu menu(LoadMenuA(module, MAKEINTRESOURCEA(104)));
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetMenuItemCount(menu.get()), 1);
    HMENU popup = GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_EQ(GetMenuItemID(popup, 0), 40003u);
    GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&What's This?");

    HICON icon = LoadIconA(module, MAKEINTRESOURCEA(113));
    ASSERT_NE(icon, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    // GetIconInfo hands over copies of the icon's bitmaps.
    const vx::UniqueBitmap color(info.hbmColor);
    const vx::UniqueBitmap maskBitmap(info.hbmMask);
    BITMAP mask;
    GetObjectA(maskBitmap.get(), sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
}

}  // namespace
}  // namespace vxtest
