#include "ServerFixture.h"

#include "platform/WinConstants.h"
#include "platform/framework/PropertyPage.h"
#include "server/ModuleGlobals.h"

namespace vxtest {

int16_t KeyboardSystem::GetKeyState(int virtualKey) {
    queriedKeys.push_back(virtualKey);
    return virtualKey == vx::kVkControl ? controlState : 0;
}

vx::PageHandle RecordingSheets::CreatePage(vx::CPropertyPageBase& page) {
    if (failCreation) return nullptr;
    // Distinct, never dereferenced handles.
    vx::PageHandle handle = reinterpret_cast<vx::PageHandle>(0x1000 + 0x10 * created.size());
    created.push_back({&page, page.Record().dwFlags, handle});
    return handle;
}

int RecordingSheets::DestroyPage(vx::PageHandle page) {
    destroyed.push_back(page);
    return 1;
}

void ServerTest::SetUp() {
    m_saved = vx::Platform();
    vx::Platform().debug = &debug;
    vx::Platform().system = &keyboard;
    vx::Platform().sheets = &sheets;
}

void ServerTest::TearDown() {
    EXPECT_EQ(vx::LiveObjectCount, 0u) << "a factory or extension object was left alive";
    vx::Platform() = m_saved;
}

std::string Line(const char* text) {
    return std::string(text) + "\r\n";
}

}  // namespace vxtest
