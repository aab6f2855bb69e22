#include "WindowsShellLoader.h"

#include "HeldCtrlKey.h"
#include "ShellFixture.h"

namespace shelltest {

namespace {

class DisplayControlsKey {
  public:
    DisplayControlsKey() {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, displayhost::kDisplayControlsKey, 0, KEY_READ,
                          &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~DisplayControlsKey() {
        if (m_key) RegCloseKey(m_key);
    }
    DisplayControlsKey(const DisplayControlsKey&) = delete;
    DisplayControlsKey& operator=(const DisplayControlsKey&) = delete;
    HKEY get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

}  // namespace

WindowsShellLoader::WindowsShellLoader(bool holdCtrl) {
    m_created = CoCreateInstance(kClsidVexaro, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IShellPropSheetExt, reinterpret_cast<void**>(&m_extension));
    if (FAILED(m_created) || !m_extension) return;
    IShellExtInit* init = nullptr;
    if (SUCCEEDED(
            m_extension->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)))) {
        DisplayControlsKey key;
        m_initialized = init->Initialize(nullptr, nullptr, key.get());
        init->Release();
    }
    std::unique_ptr<displayhost::HeldCtrlKey> ctrl;
    if (holdCtrl) ctrl = std::make_unique<displayhost::HeldCtrlKey>();
    m_extension->AddPages(&displayhost::PageHandles::Add, reinterpret_cast<LPARAM>(&m_pages));
    m_pagesAdded = m_pages.Count();
}

WindowsShellLoader::~WindowsShellLoader() {
    Finish();
}

HWND WindowsShellLoader::OpenSheetAtExtensionPage(bool visible) {
    m_sheet = std::make_unique<displayhost::DisplaySheet>(m_pages.Release());
    if (!m_sheet->OpenModeless(nullptr, visible) || m_sheet->ExtensionPageCount() == 0)
        return nullptr;
    return m_sheet->ShowPage(1);
}

void WindowsShellLoader::Finish() {
    m_sheet.reset();
    m_pages.DestroyAll();
    if (m_extension) m_extension->Release();
    m_extension = nullptr;
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
