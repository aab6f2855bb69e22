// The property sheet extension object that the shell gets from the factory.
// Two faces on one object: IShellExtInit (its identity) and
// IShellPropSheetExt, sharing one reference count. It owns itself and is
// freed by its last Release.
#pragma once

#include "ComTypes.h"

namespace vx {

class CShellExt final : public IShellExtInit, public IShellPropSheetExt {
  public:
    CShellExt();
    ~CShellExt();
    CShellExt(const CShellExt&) = delete;
    CShellExt& operator=(const CShellExt&) = delete;

    // Shared by both faces.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IShellExtInit
    HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pdtobj,
                                         HKEY hkeyProgID) override;

    // IShellPropSheetExt
    HRESULT STDMETHODCALLTYPE AddPages(LPFNSVADDPROPSHEETPAGE pfnAddPage, LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE ReplacePage(EXPPS uPageID, LPFNSVADDPROPSHEETPAGE pfnReplaceWith,
                                          LPARAM lParam) override;

  private:
    void ReleaseDataObject();

    ULONG m_cRef = 0;
    IDataObject* m_pDataObj = nullptr;
};

}  // namespace vx
