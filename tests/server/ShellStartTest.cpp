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

    IClassFactory* factory = nullptr;
    ASSERT_EQ(vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIClassFactory,
                                    reinterpret_cast<void**>(&factory)),
              S_OK);
    IShellExtInit* init = nullptr;
    ASSERT_EQ(
        factory->CreateInstance(nullptr, vx::kIidIShellExtInit, reinterpret_cast<void**>(&init)),
        S_OK);
    EXPECT_EQ(init->Initialize(nullptr, data.get(), nullptr), S_OK);
    IShellPropSheetExt* sheet = nullptr;
    ASSERT_EQ(init->QueryInterface(vx::kIidIShellPropSheetExt, reinterpret_cast<void**>(&sheet)),
              S_OK);
    EXPECT_EQ(sheet->AddPages(&AcceptPage, 0), S_OK);
    EXPECT_EQ(sheet->Release(), 1u);
    EXPECT_EQ(init->Release(), 0u);
    EXPECT_EQ(factory->Release(), 0u);
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
