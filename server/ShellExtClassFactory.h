// The class factory of the extension: made by DllGetClassObject, it makes
// CShellExt objects. It owns itself and is freed by its last Release.
#pragma once

#include "ComTypes.h"
#include "server/ComBase.h"

namespace vx {

class CShellExtClassFactory final : public CComBase<CShellExtClassFactory, IClassFactory> {
  public:
    CShellExtClassFactory();
    ~CShellExtClassFactory();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppvObject) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;
};

}  // namespace vx
