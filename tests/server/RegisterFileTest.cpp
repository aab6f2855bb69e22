// The registration file that enters the module's class with the shell.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/regfile/RegFile.h"
#include "server/Guids.h"
#include "support/TestPlatform.h"

namespace vxtest {
namespace {

std::string ClsidText(const GUID& g) {
    char text[39];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

const vx::regfile::Value* Find(const vx::regfile::Document& doc, const std::string& key,
                               const std::string& name) {
    for (const auto& k : doc.keys) {
        if (k.path != key) continue;
        for (const auto& v : k.values)
            if (v.name == name) return &v;
    }
    return nullptr;
}

std::string Text(const vx::regfile::Value* value) {
    if (value == nullptr || value->type != 1 || value->data.empty()) return "<missing>";
    return std::string(value->data.begin(), value->data.end() - 1);
}

TEST(RegisterFileTest, EntersTheClassAndTheDisplayHandler) {
    std::string text = SourceFile("server/win32/register.reg");
    const std::string placeholder = "TARNEL_DLL_PATH";
    const size_t at = text.find("@=\"" + placeholder + "\"");
    ASSERT_NE(at, std::string::npos);
    text.replace(at + 3, placeholder.size(), "C:\\\\Windows\\\\System\\\\tarnel.dll");

    vx::regfile::Document doc;
    vx::regfile::ParseError error;
    ASSERT_TRUE(vx::regfile::Parse(text, &doc, &error)) << error.line << ": " << error.reason;
    const std::string clsid = ClsidText(vx::kClsidVexaro);
    const std::string classKey = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid;
    EXPECT_EQ(Text(Find(doc, classKey, "")), "Vexaro");
    EXPECT_EQ(Text(Find(doc, classKey + "\\InprocServer32", "")),
              "C:\\Windows\\System\\tarnel.dll");
    EXPECT_EQ(Text(Find(doc, classKey + "\\InprocServer32", "ThreadingModel")), "Apartment");
    EXPECT_EQ(Text(Find(doc,
                        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                        "Controls Folder\\Display\\shellex\\PropertySheetHandlers\\Vexaro",
                        "")),
              clsid);
}

}  // namespace
}  // namespace vxtest
