// The module object: start-up and exit steps, the page object they own,
// and the page class's runtime-class record.
#include <gtest/gtest.h>

#include <cstring>

#include "layout/PendingAction.h"
#include "page/ZrDriveDlg.h"
#include "server/AdvancedPageApp.h"
#include "server/ModuleGlobals.h"
#include "store/DriverKey.h"

namespace vxtest {
namespace {

// Keeps the module-wide values of the module object and the framework's
// module record as a test found them.
class ModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_state = *vx::AfxGetModuleState();
        m_instance = vx::ModuleInstance;
        m_page = vx::AdvancedPage;
        m_app = vx::SavedCurrentApp;
        m_appInstance = vx::theApp.m_hInstance;
    }
    void TearDown() override {
        *vx::AfxGetModuleState() = m_state;
        vx::ModuleInstance = m_instance;
        vx::AdvancedPage = m_page;
        vx::SavedCurrentApp = m_app;
        vx::theApp.m_hInstance = m_appInstance;
    }

    vx::InstanceHandle const kModule = reinterpret_cast<vx::InstanceHandle>(0x10000000);

  private:
    vx::ModuleState m_state{};
    vx::InstanceHandle m_instance = nullptr;
    vx::CZrDriveDlg* m_page = nullptr;
    vx::CWinAppBase* m_app = nullptr;
    vx::InstanceHandle m_appInstance = nullptr;
};

int g_pagesDestroyed = 0;

class CountedPage final : public vx::CZrDriveDlg {
  public:
    ~CountedPage() override { ++g_pagesDestroyed; }
};

TEST_F(ModuleTest, StaticObjectsStandBeforeStartUp) {
    EXPECT_EQ(vx::AfxGetModuleState()->m_pCurrentWinApp, &vx::theApp);
    EXPECT_EQ(vx::theApp.m_pszAppName, nullptr);
    EXPECT_TRUE(vx::PendingAction == "Dynamic");
    // The page class is entered in the module's list of classes.
    bool listed = false;
    for (vx::CRuntimeClass* c = vx::AfxGetModuleState()->m_pClassListHead; c; c = c->m_pNextClass)
        listed = listed || c == &vx::CZrDriveDlg::classCZrDriveDlg;
    EXPECT_TRUE(listed);
}

TEST_F(ModuleTest, AttachCreatesThePageAndDetachDestroysIt) {
    ASSERT_EQ(vx::AfxModuleAttach(kModule), 1);
    EXPECT_EQ(vx::ModuleInstance, kModule);
    EXPECT_EQ(vx::SavedCurrentApp, &vx::theApp);
    ASSERT_NE(vx::AdvancedPage, nullptr);
    const vx::CRuntimeClass* record = vx::AdvancedPage->GetRuntimeClass();
    EXPECT_EQ(record, &vx::CZrDriveDlg::classCZrDriveDlg);
    EXPECT_STREQ(record->m_lpszClassName, "CZrDriveDlg");
    EXPECT_EQ(record->m_nObjectSize, static_cast<int>(sizeof(vx::CZrDriveDlg)));
    EXPECT_EQ(record->m_wSchema, 0xFFFFu);
    EXPECT_EQ(record->m_pfnGetBaseClass(), &vx::CPropertyPageBase::classCPropertyPage);
    EXPECT_EQ(vx::AdvancedPage->Record().templateId, vx::kPageTemplateId);

    EXPECT_EQ(vx::AfxModuleDetach(), vx::theApp.CWinAppBase::ExitInstance());
    EXPECT_EQ(vx::AdvancedPage, nullptr);
}

TEST_F(ModuleTest, SavedCurrentAppIsWhatTheRecordHoldsAtStartUp) {
    vx::CWinAppBase other;  // its construction makes it the current application
    vx::AfxGetModuleState()->m_pCurrentWinApp = &other;
    vx::theApp.m_hInstance = kModule;
    EXPECT_EQ(vx::theApp.InitInstance(), 1);
    EXPECT_EQ(vx::SavedCurrentApp, &other);
    vx::theApp.ExitInstance();
}

TEST_F(ModuleTest, ExitDeletesThePageOnce) {
    g_pagesDestroyed = 0;
    vx::AdvancedPage = new CountedPage;
    const int frameworkResult = vx::theApp.CWinAppBase::ExitInstance();
    EXPECT_EQ(vx::theApp.ExitInstance(), frameworkResult);
    EXPECT_EQ(g_pagesDestroyed, 1);
    EXPECT_EQ(vx::AdvancedPage, nullptr);
    EXPECT_EQ(vx::theApp.ExitInstance(), frameworkResult);
    EXPECT_EQ(g_pagesDestroyed, 1);
}

TEST_F(ModuleTest, RuntimeClassRecordCreatesPages) {
    vx::CObject* made = vx::CZrDriveDlg::classCZrDriveDlg.CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), &vx::CZrDriveDlg::classCZrDriveDlg);
    EXPECT_NE(dynamic_cast<vx::CZrDriveDlg*>(made), nullptr);
    delete made;
}

}  // namespace
}  // namespace vxtest
