#include "ShellFixture.h"

#include <commctrl.h>

#include <algorithm>

namespace shelltest {

const char kClsidText[] = "{4E2B7A10-9C35-41D7-8D42-1F07A6C3E958}";
const GUID kClsidVexaro = {
    0x4E2B7A10, 0x9C35, 0x41D7, {0x8D, 0x42, 0x1F, 0x07, 0xA6, 0xC3, 0xE9, 0x58}};
const char kDriverKey[] = "System\\CurrentControlSet\\Services\\Class\\Display\\0001";

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string TarnelPath() {
    return ProgramFolder() + "\\tarnel.dll";
}

bool TarnelLoaded() {
    return GetModuleHandleA("tarnel.dll") != nullptr;
}

std::string RegString(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string RegistrationText(const std::string& dllPath) {
    std::string clsid = kClsidText;
    return "[HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "]\r\n@=\"Vexaro\"\r\n\r\n" +
           "[HKEY_CLASSES_ROOT\\CLSID\\" + clsid + "\\InprocServer32]\r\n@=\"" +
           RegString(dllPath) + "\"\r\n\"ThreadingModel\"=\"Apartment\"\r\n\r\n" +
           "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Controls "
           "Folder\\Display\\shellex\\PropertySheetHandlers\\Vexaro]\r\n@=\"" +
           clsid + "\"\r\n\r\n";
}

std::string SampleDriverText(const std::string& iniPath) {
    std::string text = vxtest::SourceFile("sample/driver.reg");
    const std::string from = "\"INIFile\"=\"vexaro.ini\"";
    const std::string to = "\"INIFile\"=\"" + RegString(iniPath) + "\"";
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

void ShellTest::SetUp() {
    ASSERT_TRUE(m_com.valid());
    ASSERT_TRUE(m_trace.Installed());
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    m_iniPath = m_platform.IniPath("vexaro.ini");
    vxtest::TestPlatform::WriteFile(m_iniPath, vxtest::SourceFile("sample/vexaro.ini"));
    LoadDriverData(SampleDriverText(m_iniPath));
}

void ShellTest::TearDown() {}

void ShellTest::LoadDriverData(const std::string& driverText) {
    m_platform.LoadRegistry(driverText + "\r\n" + RegistrationText(TarnelPath()));
}

int ShellTest::IniInt(const char* section, const char* key) const {
    return static_cast<int>(GetPrivateProfileIntA(section, key, -9999, m_iniPath.c_str()));
}

int ShellTest::OutstandingReferences() const {
    int count = 0;
    for (const std::string& line : Trace()) {
        if (line == "CShellExt::AddRef()") ++count;
        if (line == "CShellExt::Release()") --count;
    }
    return count;
}

void FreshModuleTest::SetUp() {
    if (TarnelLoaded())
        GTEST_SKIP() << "tarnel.dll is already held by an earlier test of this process";
    ShellTest::SetUp();
}

std::vector<std::string> CreationTrace() {
    return {
        "In DllGetClassObject",
        "CShellExtClassFactory::CShellExtClassFactory()",
        "CShellExtClassFactory::QueryInterface()",
        "CShellExtClassFactory::CreateInstance()",
        "CShellExt::CShellExt()",
        "CShellExt::QueryInterface()==>IShellPropSheetExt",
        "CShellExt::AddRef()",
        "CShellExt::QueryInterface()==>IID_IShellExtInit",
        "CShellExt::AddRef()",
        "CShellExt::Initialize()",
    };
}

}  // namespace shelltest
