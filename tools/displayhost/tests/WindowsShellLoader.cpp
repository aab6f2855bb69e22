#include "WindowsShellLoader.h"

#include "HeldCtrlKey.h"
#include "ShellFixture.h"
#include "platform/win32/WinHandles.h"

namespace shelltest {

WindowsShellLoader::WindowsShellLoader() {
    m_created = CoCreateInstance(kClsidVexaro, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IShellPropSheetExt, m_extension.put_void());
    if (FAILED(m_created) || !m_extension) return;
    vx::ComPtr<IShellExtInit> init;
    if (SUCCEEDED(m_extension->QueryInterface(IID_IShellExtInit, init.put_void()))) {
        const vx::UniqueRegKey key =
            vx::OpenRegKey(HKEY_LOCAL_MACHINE, displayhost::kDisplayControlsKey);
        m_initialized = init->Initialize(nullptr, nullptr, key.get());
    }
}

WindowsShellLoader::~WindowsShellLoader() {
    Finish();
}

void WindowsShellLoader::AddPages() {
    if (!m_extension) return;
    m_extension->AddPages(&displayhost::PageHandles::Add, reinterpret_cast<LPARAM>(&m_pages));
    m_pagesAdded = m_pages.Count();
}

void WindowsShellLoader::AddPagesWithCtrlHeld() {
    const displayhost::HeldCtrlKey ctrl;
    AddPages();
}

HWND WindowsShellLoader::OpenSheet(bool visible) {
    m_sheet = std::make_unique<displayhost::DisplaySheet>(m_pages.Release());
    const HWND window =
        visible ? m_sheet->OpenModeless(nullptr) : m_sheet->OpenHiddenModeless(nullptr);
    if (!window || m_sheet->ExtensionPageCount() == 0) return nullptr;
    return m_sheet->ShowPage(1);
}

void WindowsShellLoader::Finish() {
    m_sheet.reset();
    m_pages.DestroyAll();
    m_extension.reset();
}

void OpenHiddenPage(WindowsShellLoader& loader, HWND* page) {
    *page = nullptr;
    ASSERT_EQ(loader.Created(), S_OK);
    loader.AddPagesWithCtrlHeld();
    ASSERT_EQ(loader.PagesAdded(), 1u);
    *page = loader.OpenHiddenSheetAtExtensionPage();
    ASSERT_NE(*page, nullptr);
    ASSERT_NE(GetDlgItem(*page, 2001), nullptr);
}

void AssertModuleUnloads() {
    ASSERT_EQ(TarnelCanUnloadNow(), S_OK);
    ASSERT_TRUE(FreeUnusedTarnel());
}

HRESULT TarnelCanUnloadNow() {
    HMODULE module = GetModuleHandleA("tarnel.dll");
    if (!module) return E_UNEXPECTED;
    auto canUnload = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_UNEXPECTED;
}

bool FreeUnusedTarnel() {
    CoFreeUnusedLibrariesEx(0, 0);
    return !TarnelLoaded();
}

}  // namespace shelltest
