// A start by the shell, from DllGetClassObject to DllCanUnloadNow, as the
// trace lines record it.
#include <memory>
#include <vector>

#include "FakeDataObject.h"
#include "ServerFixture.h"
#include "page/ZrDriveDlg.h"
#include "server/Guids.h"
#include "server/ModuleGlobals.h"
#include "server/ServerEntry.h"

namespace vxtest {
namespace {

BOOL CALLBACK AcceptPage(HPROPSHEETPAGE, LPARAM) {
    return 1;
}

TEST_F(ServerTest, ShellStartWritesItsTraceInOrder) {
    vx::CZrDriveDlg* const savedPage = vx::AdvancedPage;
    auto page = std::make_unique<vx::CZrDriveDlg>();
    vx::AdvancedPage = page.get();
    keyboard.controlState = static_cast<int16_t>(0x8000);
    CountingDataObject data;

    vx::ComPtr<IClassFactory> factory;
    ASSERT_EQ(vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIClassFactory, factory.put_void()),
              S_OK);
    vx::ComPtr<IShellExtInit> init;
    ASSERT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellExtInit, init.put_void()), S_OK);
    EXPECT_EQ(init->Initialize(nullptr, data.get(), nullptr), S_OK);
    vx::ComPtr<IShellPropSheetExt> sheet;
    ASSERT_EQ(init->QueryInterface(vx::kIidIShellPropSheetExt, sheet.put_void()), S_OK);
    EXPECT_EQ(sheet->AddPages(&AcceptPage, 0), S_OK);
    EXPECT_EQ(ReleaseNow(sheet), 1u);
    EXPECT_EQ(ReleaseNow(init), 0u);
    EXPECT_EQ(ReleaseNow(factory), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);

    const std::vector<std::string> expected = {
        Line("In DllGetClassObject"),
        Line("CShellExtClassFactory::CShellExtClassFactory()"),
        Line("CShellExtClassFactory::QueryInterface()"),
        Line("CShellExtClassFactory::CreateInstance()"),
        Line("CShellExt::CShellExt()"),
        Line("CShellExt::QueryInterface()==>IID_IShellExtInit"),
        Line("CShellExt::AddRef()"),
        Line("CShellExt::Initialize()"),
        Line("CShellExt::QueryInterface()==>IShellPropSheetExt"),
        Line("CShellExt::AddRef()"),
        Line("CShellExt::AddPages()"),
        Line("CShellExt::Release()"),
        Line("CShellExt::Release()"),
        Line("In DLLCanUnloadNow"),
    };
    EXPECT_EQ(debug.lines, expected);
    EXPECT_EQ(data.counts.Held(), 0);
    EXPECT_EQ(sheets.created.size(), 1u);
    vx::AdvancedPage = savedPage;
}

}  // namespace
}  // namespace vxtest
