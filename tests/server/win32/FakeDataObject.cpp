#include "../FakeDataObject.h"

namespace vxtest {

namespace {
class Win32DataObject final : public IDataObject {
  public:
    explicit Win32DataObject(CallCounts* counts) : m_counts(counts) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        ++m_counts->addRefs;
        return static_cast<ULONG>(m_counts->Held());
    }
    ULONG STDMETHODCALLTYPE Release() override {
        ++m_counts->releases;
        return static_cast<ULONG>(m_counts->Held());
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

  private:
    CallCounts* m_counts;
};
}  // namespace

IDataObject* CreateCountingDataObject(CallCounts* counts) {
    return new Win32DataObject(counts);
}

void DestroyCountingDataObject(IDataObject* object) {
    delete static_cast<Win32DataObject*>(object);
}

}  // namespace vxtest
