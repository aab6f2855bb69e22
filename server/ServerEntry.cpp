#include "ServerEntry.h"

#include <new>

#include "Guids.h"
#include "ModuleGlobals.h"
#include "ShellExtClassFactory.h"
#include "Trace.h"

namespace vx {

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    Trace("In DllGetClassObject\r\n");
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (!SameGuid(rclsid, kClsidVexaro)) return CLASS_E_CLASSNOTAVAILABLE;
    CShellExtClassFactory* factory = new (std::nothrow) CShellExtClassFactory();
    if (factory == nullptr) return E_OUTOFMEMORY;
    HRESULT result = factory->QueryInterface(riid, ppv);
    // A factory that nobody holds would keep the module loaded for good.
    if (result != S_OK) delete factory;
    return result;
}

HRESULT DllCanUnloadNow() {
    Trace("In DLLCanUnloadNow\r\n");
    return LiveObjectCount == 0 ? S_OK : S_FALSE;
}

}  // namespace vx
