// The extension object: its two faces, its data object, and the page that
// AddPages hands to the sheet.
#include <memory>
#include <vector>

#include "FakeDataObject.h"
#include "ServerFixture.h"
#include "page/ZrDriveDlg.h"
#include "platform/WinConstants.h"
#include "server/Guids.h"
#include "server/ModuleGlobals.h"
#include "server/ServerEntry.h"

namespace vxtest {
namespace {

using Lines = std::vector<std::string>;

// What a sheet's add-page callback received.
struct SheetLog {
    BOOL answer = 1;
    std::vector<HPROPSHEETPAGE> pages;
    std::vector<LPARAM> values;
};

BOOL CALLBACK AddPageTo(HPROPSHEETPAGE page, LPARAM value) {
    SheetLog* log = reinterpret_cast<SheetLog*>(value);
    log->pages.push_back(page);
    log->values.push_back(value);
    return log->answer;
}

BOOL CALLBACK MustNotBeCalled(HPROPSHEETPAGE, LPARAM) {
    ADD_FAILURE() << "callback called";
    return 1;
}

constexpr int16_t kControlDown = static_cast<int16_t>(0x8000);

class ShellExtTest : public ServerTest {
  protected:
    void SetUp() override {
        ServerTest::SetUp();
        m_savedPage = vx::AdvancedPage;
        m_savedInstance = vx::ModuleInstance;
        m_savedResource = vx::AfxGetModuleState()->m_hCurrentResourceHandle;
        vx::ModuleInstance = kModule;
        m_page = std::make_unique<vx::CZrDriveDlg>();
        vx::AdvancedPage = m_page.get();
    }
    void TearDown() override {
        vx::AdvancedPage = m_savedPage;
        vx::ModuleInstance = m_savedInstance;
        vx::AfxGetModuleState()->m_hCurrentResourceHandle = m_savedResource;
        ServerTest::TearDown();
    }

    // A new extension object, as the shell gets it: through IShellExtInit.
    vx::ComPtr<IShellExtInit> NewExtension() {
        vx::ComPtr<IClassFactory> factory;
        vx::ComPtr<IShellExtInit> init;
        EXPECT_EQ(
            vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIClassFactory, factory.put_void()),
            S_OK);
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellExtInit, init.put_void()),
                      S_OK);
        }
        factory.reset();
        debug.lines.clear();
        return init;
    }
    static vx::ComPtr<IShellPropSheetExt> SheetFace(const vx::ComPtr<IShellExtInit>& init) {
        vx::ComPtr<IShellPropSheetExt> sheet;
        EXPECT_EQ(init->QueryInterface(vx::kIidIShellPropSheetExt, sheet.put_void()), S_OK);
        return sheet;
    }

    vx::InstanceHandle const kModule = reinterpret_cast<vx::InstanceHandle>(0x10000000);
    std::unique_ptr<vx::CZrDriveDlg> m_page;

  private:
    vx::CZrDriveDlg* m_savedPage = nullptr;
    vx::InstanceHandle m_savedInstance = nullptr;
    vx::InstanceHandle m_savedResource = nullptr;
};

TEST_F(ShellExtTest, FacesAndIdentity) {
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IUnknown> unknown;
    ASSERT_EQ(init->QueryInterface(vx::kIidIUnknown, unknown.put_void()), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown.get()), static_cast<void*>(init.get()));
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    EXPECT_NE(static_cast<void*>(sheet.get()), static_cast<void*>(init.get()));
    vx::ComPtr<IShellExtInit> back;
    ASSERT_EQ(sheet->QueryInterface(vx::kIidIShellExtInit, back.put_void()), S_OK);
    EXPECT_EQ(back.get(), init.get());
    vx::ComPtr<IUnknown> viaSheet;
    ASSERT_EQ(sheet->QueryInterface(vx::kIidIUnknown, viaSheet.put_void()), S_OK);
    EXPECT_EQ(static_cast<void*>(viaSheet.get()), static_cast<void*>(init.get()));
    EXPECT_EQ(
        debug.lines,
        (Lines{Line("CShellExt::QueryInterface()==>IID_IShellExtInit"), Line("CShellExt::AddRef()"),
               Line("CShellExt::QueryInterface()==>IShellPropSheetExt"),
               Line("CShellExt::AddRef()"), Line("CShellExt::QueryInterface()==>IID_IShellExtInit"),
               Line("CShellExt::AddRef()"), Line("CShellExt::QueryInterface()==>IID_IShellExtInit"),
               Line("CShellExt::AddRef()")}));
    // One count behind both faces: 1 from creation and 4 from the queries.
    EXPECT_EQ(sheet->AddRef(), 6u);
    EXPECT_EQ(init->Release(), 5u);
    EXPECT_EQ(ReleaseNow(viaSheet), 4u);
    EXPECT_EQ(ReleaseNow(back), 3u);
    EXPECT_EQ(ReleaseNow(sheet), 2u);
    EXPECT_EQ(ReleaseNow(unknown), 1u);
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    EXPECT_EQ(ReleaseNow(init), 0u);
}

TEST_F(ShellExtTest, RefusedInterfaceChangesNoCount) {
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    debug.lines.clear();
    for (const GUID& iid : {vx::kIidIClassFactory, vx::kClsidVexaro}) {
        void* out = reinterpret_cast<void*>(0x5A5A5A5A);
        EXPECT_EQ(init->QueryInterface(iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
        out = reinterpret_cast<void*>(0x5A5A5A5A);
        EXPECT_EQ(sheet->QueryInterface(iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(debug.lines, Lines(4, Line("CShellExt::QueryInterface()==>Unknown Interface")));
    EXPECT_EQ(ReleaseNow(sheet), 1u);
    EXPECT_EQ(ReleaseNow(init), 0u);
    EXPECT_EQ(debug.lines.back(), Line("CShellExt::Release()"));
}

TEST_F(ShellExtTest, InitializeHoldsOneDataObjectAtATime) {
    CountingDataObject first;
    CountingDataObject second;
    vx::ComPtr<IShellExtInit> init = NewExtension();
    EXPECT_EQ(init->Initialize(nullptr, first.get(), nullptr), S_OK);
    EXPECT_EQ(first.counts.addRefs, 1);
    EXPECT_EQ(first.counts.releases, 0);
    EXPECT_EQ(init->Initialize(nullptr, second.get(), nullptr), S_OK);
    EXPECT_EQ(first.counts.releases, 1);
    EXPECT_EQ(first.counts.Held(), 0);
    EXPECT_EQ(second.counts.Held(), 1);
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(second.counts.Held(), 0);
    EXPECT_EQ(init->Initialize(nullptr, first.get(), nullptr), S_OK);
    EXPECT_EQ(debug.lines, Lines(4, Line("CShellExt::Initialize()")));
    // The last Release gives the held data object back.
    EXPECT_EQ(first.counts.Held(), 1);
    EXPECT_EQ(ReleaseNow(init), 0u);
    EXPECT_EQ(first.counts.Held(), 0);
    EXPECT_EQ(first.counts.releases, 2);
    EXPECT_EQ(second.counts.releases, 1);
}

TEST_F(ShellExtTest, AddPagesOnlyWhileControlIsDown) {
    struct Case {
        int16_t state;
        bool adds;
    };
    const Case cases[] = {
        {0, false},
        {0x0001, false},  // toggled, not down
        {0x7FFF, false},
        {kControlDown, true},
        {static_cast<int16_t>(0x8001), true},
        {static_cast<int16_t>(0xFF80), true},
    };
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        keyboard.controlState = c.state;
        keyboard.queriedKeys.clear();
        sheets.created.clear();
        debug.lines.clear();
        m_page->Record().dwFlags = 0;
        vx::AfxGetModuleState()->m_hCurrentResourceHandle = nullptr;
        SheetLog log;
        EXPECT_EQ(sheet->AddPages(&AddPageTo, reinterpret_cast<LPARAM>(&log)), S_OK);
        EXPECT_EQ(debug.lines, Lines{Line("CShellExt::AddPages()")});
        EXPECT_EQ(keyboard.queriedKeys, std::vector<int>{vx::kVkControl});
        EXPECT_EQ(sheets.created.size(), c.adds ? 1u : 0u);
        EXPECT_EQ(log.pages.size(), c.adds ? 1u : 0u);
        EXPECT_EQ(m_page->Record().dwFlags, c.adds ? vx::kPspHasHelp : 0u);
        EXPECT_EQ(vx::AfxGetModuleState()->m_hCurrentResourceHandle, c.adds ? kModule : nullptr);
    }
    EXPECT_TRUE(sheets.destroyed.empty());
}

TEST_F(ShellExtTest, AddPagesHandsThePageToTheSheet) {
    keyboard.controlState = kControlDown;
    m_page->Record().dwFlags = 0x0004;  // the page's own flags stay
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    SheetLog log;
    EXPECT_EQ(sheet->AddPages(&AddPageTo, reinterpret_cast<LPARAM>(&log)), S_OK);
    ASSERT_EQ(sheets.created.size(), 1u);
    EXPECT_EQ(sheets.created[0].page, m_page.get());
    EXPECT_EQ(sheets.created[0].flags, 0x0004u | vx::kPspHasHelp);
    ASSERT_EQ(log.pages.size(), 1u);
    EXPECT_EQ(static_cast<void*>(log.pages[0]), sheets.created[0].handle);
    EXPECT_EQ(log.values[0], reinterpret_cast<LPARAM>(&log));
    EXPECT_TRUE(sheets.destroyed.empty());
}

TEST_F(ShellExtTest, RefusedPageIsDestroyed) {
    keyboard.controlState = kControlDown;
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    SheetLog log;
    log.answer = 0;
    EXPECT_EQ(sheet->AddPages(&AddPageTo, reinterpret_cast<LPARAM>(&log)), S_OK);
    ASSERT_EQ(sheets.created.size(), 1u);
    EXPECT_EQ(sheets.destroyed, std::vector<vx::PageHandle>{sheets.created[0].handle});
}

TEST_F(ShellExtTest, NothingToAddWithoutAPageOrAHandle) {
    keyboard.controlState = kControlDown;
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    sheets.failCreation = true;
    EXPECT_EQ(sheet->AddPages(&MustNotBeCalled, 0), S_OK);
    sheets.failCreation = false;
    vx::AdvancedPage = nullptr;
    EXPECT_EQ(sheet->AddPages(&MustNotBeCalled, 0), S_OK);
    EXPECT_TRUE(sheets.created.empty());
    EXPECT_TRUE(sheets.destroyed.empty());
}

// Every sheet of the process shows the one page object.
TEST_F(ShellExtTest, TwoSheetsShareThePageObject) {
    keyboard.controlState = kControlDown;
    SheetLog firstSheet;
    SheetLog secondSheet;
    for (SheetLog* log : {&firstSheet, &secondSheet}) {
        vx::ComPtr<IShellExtInit> init = NewExtension();
        vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
        EXPECT_EQ(sheet->AddPages(&AddPageTo, reinterpret_cast<LPARAM>(log)), S_OK);
    }
    ASSERT_EQ(sheets.created.size(), 2u);
    EXPECT_EQ(sheets.created[0].page, m_page.get());
    EXPECT_EQ(sheets.created[1].page, m_page.get());
    EXPECT_NE(sheets.created[0].handle, sheets.created[1].handle);
    EXPECT_EQ(firstSheet.pages.size(), 1u);
    EXPECT_EQ(secondSheet.pages.size(), 1u);
    EXPECT_EQ(vx::AdvancedPage, m_page.get());
    EXPECT_EQ(m_page->Record().dwFlags & vx::kPspHasHelp, vx::kPspHasHelp);
}

TEST_F(ShellExtTest, ReplacePageAlwaysFails) {
    keyboard.controlState = kControlDown;
    vx::ComPtr<IShellExtInit> init = NewExtension();
    vx::ComPtr<IShellPropSheetExt> sheet = SheetFace(init);
    debug.lines.clear();
    EXPECT_EQ(sheet->ReplacePage(0, &MustNotBeCalled, 0), E_FAIL);
    EXPECT_EQ(sheet->ReplacePage(1, nullptr, 42), E_FAIL);
    EXPECT_EQ(sheet->ReplacePage(0xFFFFFFFFu, &MustNotBeCalled, -1), E_FAIL);
    EXPECT_EQ(debug.lines, Lines(3, Line("CShellExt::ReplacePage()")));
    EXPECT_TRUE(sheets.created.empty());
}

}  // namespace
}  // namespace vxtest
