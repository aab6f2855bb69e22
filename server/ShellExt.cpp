#include "ShellExt.h"

#include "Guids.h"
#include "ModuleGlobals.h"
#include "Trace.h"
#include "page/ZrDriveDlg.h"
#include "platform/Platform.h"
#include "platform/WinConstants.h"

namespace vx {

namespace {
bool ControlKeyDown() {
    ISystem* system = Platform().system;
    if (system == nullptr) return false;
    return (static_cast<uint16_t>(system->GetKeyState(kVkControl)) & 0x8000) != 0;
}
}  // namespace

CShellExt::CShellExt() : CComBase("CShellExt::AddRef()\r\n", "CShellExt::Release()\r\n") {
    Trace("CShellExt::CShellExt()\r\n");
}

CShellExt::~CShellExt() = default;

HRESULT STDMETHODCALLTYPE CShellExt::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr) return E_POINTER;
    *ppvObject = nullptr;
    if (SameGuid(riid, kIidIShellExtInit) || SameGuid(riid, kIidIUnknown)) {
        Trace("CShellExt::QueryInterface()==>IID_IShellExtInit\r\n");
        *ppvObject = static_cast<IShellExtInit*>(this);
    } else if (SameGuid(riid, kIidIShellPropSheetExt)) {
        Trace("CShellExt::QueryInterface()==>IShellPropSheetExt\r\n");
        *ppvObject = static_cast<IShellPropSheetExt*>(this);
    } else {
        Trace("CShellExt::QueryInterface()==>Unknown Interface\r\n");
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CShellExt::Initialize(PCIDLIST_ABSOLUTE /*pidlFolder*/,
                                                IDataObject* pdtobj, HKEY /*hkeyProgID*/) {
    Trace("CShellExt::Initialize()\r\n");
    m_pDataObj.copy(pdtobj);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CShellExt::AddPages(LPFNSVADDPROPSHEETPAGE pfnAddPage, LPARAM lParam) {
    Trace("CShellExt::AddPages()\r\n");
    if (!ControlKeyDown()) return S_OK;
    // From here on the framework takes the page's template and strings from
    // this module.
    AfxGetModuleState()->m_hCurrentResourceHandle = ModuleInstance;
    IPropertySheets* sheets = Platform().sheets;
    if (AdvancedPage == nullptr || sheets == nullptr || pfnAddPage == nullptr) return S_OK;
    AdvancedPage->Record().dwFlags |= kPspHasHelp;
    PageHandle page = sheets->CreatePage(*AdvancedPage);
    if (page == nullptr) return S_OK;
    if (!pfnAddPage(reinterpret_cast<HPROPSHEETPAGE>(page), lParam)) sheets->DestroyPage(page);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CShellExt::ReplacePage(EXPPS /*uPageID*/,
                                                 LPFNSVADDPROPSHEETPAGE /*pfnReplaceWith*/,
                                                 LPARAM /*lParam*/) {
    Trace("CShellExt::ReplacePage()\r\n");
    return E_FAIL;
}

}  // namespace vx
