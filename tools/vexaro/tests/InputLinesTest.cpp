// Lines of the input file that Windows passes over (or reads otherwise
// than written): the page is built as Windows would build it, check lists
// them, preview and apply warn and go on, and --strict refuses the file
// before anything is written.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ToolRunner.h"

namespace vexarotest {
namespace {

using Json = nlohmann::json;

const char kDriverKey[] =
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0002\\Vexaro";

// Line 8 is a Layout value that regedit skips (text after its closing
// quote); line 12 another it skips (an upper-case type); line 9 a comment
// after data, which it reads.
std::string SkippingRegistry() {
    return std::string(
               "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n"
               "\"CurrentDisplayKey\"=\"0002\"\r\n\r\n") +
           kDriverKey +
           "\\Layout]\r\n"                                    // 6
           "\"Group1_1\"=\"Options\"\r\n"                     // 7
           "\"Check1_2\"=\"Slow\" x\r\n"                      // 8
           "\"Check1_1\"=\"Fast\" ; the one that counts\r\n"  // 9
           "\r\n" +
           kDriverKey +
           "\\Association\\Check1_1]\r\n"  // 11
           "\"Unused\"=DWORD:1\r\n"        // 12
           "\"INIFile\"=\"a.ini\"\r\n\"Section\"=\"S\"\r\n\"KeyString\"=\"K\"\r\n"
           "\"AndMask\"=hex:fe\r\n\"OrMask\"=dword:00000001\r\n";
}

TEST(InputLines, RegistryLinesWindowsSkipsAreWarnedAndStrictRefuses) {
    Scratch s;
    const std::string reg = SkippingRegistry();
    s.Write("skip.reg", reg);
    s.Write("a.ini", "[S]\r\nK=1\r\n");

    Result check = s.Run({"check", "--registry", "skip.reg", "--windir", ".", "--json"});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    std::vector<std::string> messages;
    const Json found = Json::parse(check.out);
    for (const Json& f : found["findings"]) {
        if (f["code"] == "input-line") messages.push_back(f["message"]);
    }
    ASSERT_EQ(messages.size(), 2u) << check.out;
    EXPECT_EQ(messages[0].rfind("skip.reg:8: ", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1].rfind("skip.reg:12: ", 0), 0u) << messages[1];
    EXPECT_EQ(s.Run({"check", "--registry", "skip.reg", "--windir", ".", "--strict"}).exitCode, 1);

    Result preview = s.Run({"preview", "--registry", "skip.reg", "--windir", ".", "--json"});
    EXPECT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_NE(preview.err.find("vexaro: warning: skip.reg:8: "), std::string::npos) << preview.err;
    const Json page = Json::parse(preview.out);
    ASSERT_EQ(page["controls"].size(), 2u) << preview.out;  // the group and Check1_1 only
    EXPECT_EQ(page["controls"][0]["caption"], "Fast");

    Result strict = s.Run({"preview", "--registry", "skip.reg", "--windir", ".", "--strict"});
    EXPECT_EQ(strict.exitCode, 2);
    EXPECT_NE(strict.err.find("skip.reg:8: "), std::string::npos) << strict.err;
    EXPECT_TRUE(strict.out.empty());

    Result refused =
        s.Run({"apply", "--registry", "skip.reg", "--windir", ".", "--strict", "Check1_1=off"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(s.Read("a.ini"), "[S]\r\nK=1\r\n");
    EXPECT_EQ(s.Read("skip.reg"), reg);

    Result applied = s.Run({"apply", "--registry", "skip.reg", "--windir", ".", "Check1_1=off"});
    EXPECT_EQ(applied.exitCode, 0) << applied.err;
    EXPECT_NE(applied.err.find("vexaro: warning: skip.reg:12: "), std::string::npos) << applied.err;
    EXPECT_EQ(s.Read("a.ini"), "[S]\r\nK=0\r\n");
}

TEST(InputLines, InfDataNotTakenAsWrittenIsWarnedAndStrictRefuses) {
    Scratch s;
    s.Write("a.ini", "[S]\r\nK=1\r\n");
    s.Write("drv.inf",
            "[Vexaro.AddReg]\r\n"
            "HKR,Vexaro\\Layout,Group1_1,0,\"Options\"\r\n"
            "HKR,Vexaro\\Layout,Check1_1,0,\"Fast\"\r\n"
            "HKR,Vexaro\\Association\\Check1_1,INIFile,0,a.ini\r\n"
            "HKR,Vexaro\\Association\\Check1_1,Section,0,S\r\n"
            "HKR,Vexaro\\Association\\Check1_1,KeyString,0,K\r\n"
            "HKR,Vexaro\\Association\\Check1_1,AndMask,1,0xfe\r\n"
            "HKR,Vexaro\\Association\\Check1_1,OrMask,0x10001,1st\r\n");  // 8: read as 1
    Result preview = s.Run({"preview", "--inf", "drv.inf", "--windir", ".", "--json"});
    EXPECT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_NE(preview.err.find("vexaro: warning: drv.inf:8: \"1st\""), std::string::npos)
        << preview.err;
    EXPECT_EQ(Json::parse(preview.out)["controls"][0]["checked"], true);

    Result strict =
        s.Run({"apply", "--inf", "drv.inf", "--windir", ".", "--strict", "Check1_1=off"});
    EXPECT_EQ(strict.exitCode, 2);
    EXPECT_NE(strict.err.find("drv.inf:8: "), std::string::npos) << strict.err;
    EXPECT_EQ(s.Read("a.ini"), "[S]\r\nK=1\r\n");
}

}  // namespace
}  // namespace vexarotest
