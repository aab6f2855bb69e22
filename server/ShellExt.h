// The property sheet extension object that the shell gets from the factory.
// Two faces on one object: IShellExtInit (its identity) and
// IShellPropSheetExt, sharing one reference count. It owns itself and is
// freed by its last Release.
#pragma once

#include "ComTypes.h"
#include "platform/ComPtr.h"
#include "server/ComBase.h"

namespace vx {

class CShellExt final : public CComBase<CShellExt, IShellExtInit, IShellPropSheetExt> {
  public:
    CShellExt();
    ~CShellExt();

    // Shared by both faces, like AddRef and Release.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override;

    // IShellExtInit
    HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pdtobj,
                                         HKEY hkeyProgID) override;

    // IShellPropSheetExt
    HRESULT STDMETHODCALLTYPE AddPages(LPFNSVADDPROPSHEETPAGE pfnAddPage, LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE ReplacePage(EXPPS uPageID, LPFNSVADDPROPSHEETPAGE pfnReplaceWith,
                                          LPARAM lParam) override;

  private:
    ComPtr<IDataObject> m_pDataObj;
};

}  // namespace vx
