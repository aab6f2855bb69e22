// The driver's data as an INF section: "inf" writes it, --inf reads it, and
// the page shown from the INF is the page shown from the registry file.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "ToolRunner.h"
#include "platform/regfile/RegFile.h"

namespace vexarotest {
namespace {

using Json = nlohmann::json;

const char kDriver[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\";

// The page (as a table and in JSON) and the findings, which must not depend
// on where the data came from; only the driver's key differs (HKR is the
// subkey 0000 on INF input), and is left out.
std::string PageAndFindings(const Scratch& s, const std::vector<std::string>& source) {
    std::string all;
    for (std::vector<std::string> args :
         {std::vector<std::string>{"preview"}, std::vector<std::string>{"preview", "--json"},
          std::vector<std::string>{"check"}}) {
        args.insert(args.end(), {"--windir", "."});
        args.insert(args.end(), source.begin(), source.end());
        Result r = s.Run(args);
        if (args[1] != "--json") {
            EXPECT_NE(r.exitCode, 2) << r.err;
        }
        std::string out = r.out;
        for (size_t at = out.find("Display\\"); at != std::string::npos;
             at = out.find("Display\\", at + 1)) {
            out.erase(at, out.find_first_of("\"\n", at) - at);
        }
        all += std::to_string(r.exitCode) + "\n" + out + r.err;
    }
    return all;
}

// .reg -> INF -> the same page. False when the INF cannot carry the data,
// which the tool must then say cleanly.
bool RoundTrip(const std::string& regBytes, const std::string& what) {
    SCOPED_TRACE(what);
    Scratch s;
    s.Write("driver.reg", regBytes);
    s.CopySample("vexaro.ini");
    Result inf = s.Run({"inf", "--registry", "driver.reg"});
    if (inf.exitCode == 2 && inf.err.rfind("vexaro: an INF cannot carry ", 0) == 0) {
        EXPECT_EQ(inf.out, "");
        return false;
    }
    EXPECT_EQ(inf.exitCode, 0) << inf.err;
    s.Write("driver.inf", inf.out);
    EXPECT_EQ(PageAndFindings(s, {"--inf", "driver.inf"}),
              PageAndFindings(s, {"--registry", "driver.reg"}));
    return true;
}

TEST(Inf, RoundTripGivesTheSamePage) {
    EXPECT_TRUE(RoundTrip(ReadFile(std::string(VEXARO_SAMPLE_DIR) + "/driver.reg"), "sample"));
    for (const char* name : {"example.reg", "messy.reg"}) {
        EXPECT_TRUE(RoundTrip(TestData(name), name));
    }
}

// Each registry file of the fuzz corpus that reads becomes a driver's data:
// the values of all its keys as Layout values, each key's values as an
// Association key, so that every name and type it holds passes through.
TEST(Inf, RoundTripOfTheRegistryFileCorpus) {
    int carried = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::string(VEXARO_FUZZ_CORPUS) + "/regfile")) {
        vx::regfile::Document source;
        vx::regfile::ParseError error;
        if (!vx::regfile::Parse(ReadFile(file.path()), &source, &error)) continue;
        vx::regfile::Document driver;
        driver.keys.push_back({"HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra", false, {}});
        driver.keys.back().values.push_back({"CurrentDisplayKey", 1, {'0', '0', '0', '7', 0}});
        vx::regfile::Key layout{std::string(kDriver) + "0007\\Vexaro\\Layout", false, {}};
        int n = 0;
        for (const vx::regfile::Key& key : source.keys) {
            if (key.deleted) continue;
            vx::regfile::Key association{
                std::string(kDriver) + "0007\\Vexaro\\Association\\Check1_" + std::to_string(++n),
                false, key.values};
            for (const vx::regfile::Value& v : key.values) layout.values.push_back(v);
            driver.keys.push_back(association);
        }
        driver.keys.push_back(layout);
        carried += RoundTrip(vx::regfile::Write(driver), file.path().filename());
    }
    EXPECT_GE(carried, 4);
}

TEST(Inf, SectionKeepsEveryByteAndQuotesAsInfRequires) {
    Scratch s;
    s.Write("driver.reg",
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n"
            "\"CurrentDisplayKey\"=\"0003\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0003\\"
            "Vexaro\\Layout]\r\n"
            "\"Check1_1\"=\"Caf\xE9 \x80 \\\"100%\\\" fast, smooth; sure\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0003\\"
            "Vexaro\\Association\\Check1_1]\r\n"
            "\"AndMask\"=hex:fe\r\n"
            "\"OrMask\"=dword:00000101\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0003\\"
            "Vexaro\\Association\\Empty]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0004\\"
            "Vexaro\\Layout]\r\n"
            "\"Check9_9\"=\"another driver's\"\r\n");
    Result r = s.Run({"inf", "--registry", "driver.reg", "--section", "Lumetra.Vexaro"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "; The Vexaro page's Layout and Association data for a display driver's INF.\r\n"
              "; HKR is the driver's key. Name the section in the driver's install section:\r\n"
              ";   AddReg=...,Lumetra.Vexaro\r\n"
              "[Lumetra.Vexaro]\r\n"
              "HKR,\"Vexaro\\Layout\",\"Check1_1\",0x00000000,"
              "\"Caf\xE9 \x80 \"\"100%%\"\" fast, smooth; sure\"\r\n"
              "HKR,\"Vexaro\\Association\\Check1_1\",\"AndMask\",0x00000001,fe\r\n"
              "HKR,\"Vexaro\\Association\\Check1_1\",\"OrMask\",0x00010001,0x00000101\r\n"
              "HKR,\"Vexaro\\Association\\Empty\",,0x00000010\r\n");
}

TEST(Inf, DriverInfWithInstallSectionAndStrings) {
    Scratch s;
    s.CopySample("vexaro.ini");
    s.Write("lumetra.inf",
            "[Version]\r\nSignature=\"$CHICAGO$\"\r\nClass=Display\r\n\r\n"
            "[Lumetra.Install]\r\nCopyFiles=Lumetra.Files\r\n"
            "AddReg=Lumetra.AddReg, Lumetra.Page   ; the page's data last\r\n\r\n"
            "[Lumetra.AddReg]\r\nHKR,,Ver,,\"4.0\"\r\n\r\n"
            "[Lumetra.Page]\r\n"
            "HKR,Vexaro\\Layout,Group1_1,0,%Group%\r\n"
            "HKR,Vexaro\\Layout,Check1_1,0,\"%Fast% (100%%)\"\r\n"
            "HKR,Vexaro\\Association\\Check1_1,INIFile,0,vexaro.ini\r\n"
            "HKR,Vexaro\\Association\\Check1_1,Section,0,Acceleration\r\n"
            "HKR,Vexaro\\Association\\Check1_1,KeyString,0,TextFlags\r\n"
            "HKR,Vexaro\\Association\\Check1_1,AndMask,1,fb\r\n"
            "HKR,Vexaro\\Association\\Check1_1,OrMask,1,\\\r\n"
            "    04\r\n\r\n"
            "[Strings]\r\nGroup=\"Acceleration\"\r\nFast=\"Fast text drawing\"\r\n");
    Result r = s.Run({"preview", "--inf", "lumetra.inf", "--section", "Lumetra.Install", "--windir",
                      ".", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Json j = Json::parse(r.out);
    EXPECT_EQ(j["page"]["driverKey"], "System\\CurrentControlSet\\Services\\Class\\Display\\0000");
    ASSERT_EQ(j["controls"].size(), 2u);
    EXPECT_EQ(j["controls"][0]["caption"], "Fast text drawing (100%)");
    EXPECT_EQ(j["controls"][0]["checked"], true);  // TextFlags=5 in the sample INI
    EXPECT_EQ(j["controls"][1]["caption"], "Acceleration");

    // Without --section the default section is looked for.
    Result none = s.Run({"preview", "--inf", "lumetra.inf", "--windir", "."});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err, "vexaro: lumetra.inf: no section [Vexaro.AddReg]\n");

    // The same INF from standard input.
    Result piped = s.RunRedirected(
        {"preview", "--inf", "-", "--section", "Lumetra.Install", "--windir", ".", "--json"},
        "< lumetra.inf");
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(Json::parse(piped.out)["controls"], j["controls"]);
}

TEST(Inf, ApplyWritesTheIniFilesAndReportsTheInfLinesOfDeletedData) {
    Scratch s;
    s.CopyTestData("messy.reg");
    s.CopyTestData("messy.ini");
    Result inf = s.Run({"inf", "--registry", "messy.reg"});
    ASSERT_EQ(inf.exitCode, 0) << inf.err;
    s.Write("messy.inf", inf.out);
    const std::string iniBefore = s.Read("messy.ini");

    // A dry run and the JSON report say the same of the INF.
    Result dry = s.Run(
        {"apply", "--inf", "messy.inf", "--windir", ".", "--dry-run", "--json", "Check1_1=off"});
    ASSERT_EQ(dry.exitCode, 0) << dry.err;
    EXPECT_EQ(s.Read("messy.ini"), iniBefore);
    Json j = Json::parse(dry.out);
    EXPECT_EQ(j["registry"]["file"], "messy.inf");
    EXPECT_EQ(j["registry"]["format"], "inf");
    EXPECT_EQ(j["registry"]["state"], "inf-read-only");
    ASSERT_EQ(j["registry"]["removed"].size(), 2u);
    EXPECT_EQ(j["registry"]["removed"][0]["name"], "Check1_2");
    EXPECT_EQ(j["registry"]["removed"][0]["infLines"], Json({6, 21, 22, 23, 24, 25, 26}));
    EXPECT_EQ(j["registry"]["removed"][1]["infLines"], Json({13, 46, 47, 48, 49, 50, 51}));

    Result r = s.Run({"apply", "--inf", "messy.inf", "--windir", ".", "Check1_1=off"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(s.Read("messy.inf"), inf.out);
    EXPECT_NE(s.Read("messy.ini"), iniBefore);
    // The header takes lines 1 to 4; the Layout values follow in order,
    // then each Association key's lines.
    EXPECT_NE(r.out.find("Registry:\n"
                         "  removed Check1_2 (evicted by Check1-2; with its Association "
                         "key): messy.inf lines 6, 21-26\n"
                         "  removed Radio2_9 (not admitted by Group2_5; with its "
                         "Association key): messy.inf lines 13, 46-51\n"
                         "  messy.inf is an INF file, which is never written: take out the "
                         "lines listed to save the removals\n"),
              std::string::npos)
        << r.out;

    // A registry file's report has no INF lines.
    Result reg = s.Run({"apply", "--registry", "messy.reg", "--windir", ".", "--dry-run", "--json",
                        "Check1_1=off"});
    ASSERT_EQ(reg.exitCode, 0) << reg.err;
    Json k = Json::parse(reg.out);
    EXPECT_EQ(k["registry"]["format"], "regedit4");
    EXPECT_EQ(k["registry"]["state"], "would-write");
    EXPECT_FALSE(k["registry"]["removed"][0].contains("infLines"));
}

TEST(Inf, Errors) {
    Scratch s;
    s.Write("nokey.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\X]\r\n\"a\"=\"b\"\r\n");
    s.Write("nodata.reg",
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra]\r\n"
            "\"CurrentDisplayKey\"=\"0001\"\r\n");
    s.Write("twolines.reg", std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\"
                                        "Lumetra]\r\n\"CurrentDisplayKey\"=\"0001\"\r\n\r\n[") +
                                kDriver +
                                "0001\\Vexaro\\Layout]\r\n\"Check1_1\"=hex(1):41,0a,42,00\r\n");
    s.Write("bad.inf", "[Vexaro.AddReg]\r\nHKR,Vexaro\\Layout,Check1_1,0x8000,\"x\"\r\n");
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{"inf", "--registry", "nokey.reg"},
         "vexaro: nokey.reg does not name the driver's key (\"CurrentDisplayKey\" under "
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane\\Lumetra)\n"},
        {{"inf", "--registry", "nodata.reg"},
         "vexaro: nodata.reg holds no Layout or Association data under "
         "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Display\\0001\\Vexaro\n"},
        {{"inf", "--registry", "twolines.reg"},
         "vexaro: an INF cannot carry key \"Vexaro\\Layout\", value \"Check1_1\": text data that "
         "is not one line of text ended by a zero byte\n"},
        {{"inf", "--registry", "missing.reg"},
         "vexaro: cannot read missing.reg: No such file or directory\n"},
        {{"preview", "--inf", "bad.inf", "--windir", "."},
         "vexaro: bad.inf:2: unsupported flag 0x00008000\n"},
        {{"preview", "--inf", "missing.inf", "--windir", "."},
         "vexaro: cannot read missing.inf: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        Result r = s.Run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args[2];
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace vexarotest
