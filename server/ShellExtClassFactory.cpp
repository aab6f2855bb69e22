#include "ShellExtClassFactory.h"

#include <new>

#include "Guids.h"
#include "ModuleGlobals.h"
#include "ShellExt.h"
#include "Trace.h"

namespace vx {

// The factory's AddRef and Release write no trace line.
CShellExtClassFactory::CShellExtClassFactory() : CComBase(nullptr, nullptr) {
    Trace("CShellExtClassFactory::CShellExtClassFactory()\r\n");
}

CShellExtClassFactory::~CShellExtClassFactory() = default;

HRESULT STDMETHODCALLTYPE CShellExtClassFactory::QueryInterface(REFIID riid, void** ppvObject) {
    Trace("CShellExtClassFactory::QueryInterface()\r\n");
    if (ppvObject == nullptr) return E_POINTER;
    *ppvObject = nullptr;
    if (!SameGuid(riid, kIidIUnknown) && !SameGuid(riid, kIidIClassFactory)) return E_NOINTERFACE;
    *ppvObject = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CShellExtClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                                void** ppvObject) {
    Trace("CShellExtClassFactory::CreateInstance()\r\n");
    if (ppvObject == nullptr) return E_POINTER;
    *ppvObject = nullptr;
    if (pUnkOuter != nullptr) return CLASS_E_NOAGGREGATION;
    CShellExt* extension = new (std::nothrow) CShellExt();
    if (extension == nullptr) return E_OUTOFMEMORY;
    HRESULT result = extension->QueryInterface(riid, ppvObject);
    // An object that nobody holds would keep the module loaded for good.
    if (result != S_OK) delete extension;
    return result;
}

// The module stays loaded while any factory lives; a lock adds nothing.
HRESULT STDMETHODCALLTYPE CShellExtClassFactory::LockServer(BOOL /*fLock*/) {
    return S_OK;
}

}  // namespace vx
