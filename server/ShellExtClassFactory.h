// The class factory of the extension: made by DllGetClassObject, it makes
// CShellExt objects. It owns itself and is freed by its last Release.
#pragma once

#include "ComTypes.h"

namespace vx {

class CShellExtClassFactory final : public IClassFactory {
  public:
    CShellExtClassFactory();
    ~CShellExtClassFactory();
    CShellExtClassFactory(const CShellExtClassFactory&) = delete;
    CShellExtClassFactory& operator=(const CShellExtClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                             void** ppvObject) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

  private:
    ULONG m_cRef = 0;
};

}  // namespace vx
