// Taking values and keys out of registry files of each encoding, leaving
// every other byte.
#include <gtest/gtest.h>

#include "platform/regfile/RegFileEdit.h"

namespace {

std::string Utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST(RegFileEdit, RemovesExactlyWhatIsAsked) {
    const std::string text =
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"x\"=\"1\"\r\n\"Y\"=hex:01,\\\r\n  02\r\n"
        "\"x\"=-\r\n\"z\"=dword:1\r\n\r\n[hklm\\a\\B]\r\n\"q\"=\"2\"\r\n\r\n[HKEY_LOCAL_"
        "MACHINE\\AB]"
        "\r\n\"q\"=\"3\"";
    struct Case {
        const char* what;
        vx::regfile::Removals removals;
        std::string expected;
    } const cases[] = {
        {"a value, in another letter case; its deletion line stays",
         {{{"hkey_local_machine\\a", "X"}}, {}},
         "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"Y\"=hex:01,\\\r\n  02\r\n\"x\"=-\r\n"
         "\"z\"=dword:1\r\n\r\n[hklm\\a\\B]\r\n\"q\"=\"2\"\r\n\r\n[HKEY_LOCAL_MACHINE\\AB]\r\n"
         "\"q\"=\"3\""},
        {"a value over two lines",
         {{{"HKEY_LOCAL_MACHINE\\A", "y"}}, {}},
         "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"x\"=\"1\"\r\n\"x\"=-\r\n\"z\"=dword:1\r\n"
         "\r\n[hklm\\a\\B]\r\n\"q\"=\"2\"\r\n\r\n[HKEY_LOCAL_MACHINE\\AB]\r\n\"q\"=\"3\""},
        {"a key with its subkey, not the key whose name begins the same",
         {{}, {"HKEY_LOCAL_MACHINE\\a"}},
         "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\AB]\r\n\"q\"=\"3\""},
        {"the last line, which had no line end",
         {{}, {"HKEY_LOCAL_MACHINE\\AB"}},
         "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"x\"=\"1\"\r\n\"Y\"=hex:01,\\\r\n  02\r\n"
         "\"x\"=-\r\n\"z\"=dword:1\r\n\r\n[hklm\\a\\B]\r\n\"q\"=\"2\"\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string out;
        vx::regfile::ParseError error;
        ASSERT_TRUE(vx::regfile::RemoveFromFile(text, c.removals, &out, &error)) << error.reason;
        EXPECT_EQ(out, c.expected);
    }
}

TEST(RegFileEdit, Utf16FileStaysUtf16) {
    const std::string text = Utf16(
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"x\"=\"1\"\r\n"
        "\"y\"=\"2\"\r\n");
    std::string out;
    vx::regfile::ParseError error;
    ASSERT_TRUE(
        vx::regfile::RemoveFromFile(text, {{{"HKEY_LOCAL_MACHINE\\A", "x"}}, {}}, &out, &error));
    EXPECT_EQ(out, Utf16("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n"
                         "\"y\"=\"2\"\r\n"));
    EXPECT_FALSE(vx::regfile::RemoveFromFile("not a registry file", {}, &out, &error));
}

}  // namespace
