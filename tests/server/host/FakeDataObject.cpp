#include "../FakeDataObject.h"

namespace vxtest {

namespace {
class HostDataObject final : public IDataObject {
  public:
    explicit HostDataObject(CallCounts* counts) : m_counts(counts) {}
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

  private:
    CallCounts* m_counts;
};
}  // namespace

IDataObject* CreateCountingDataObject(CallCounts* counts) {
    return new HostDataObject(counts);
}

void DestroyCountingDataObject(IDataObject* object) {
    delete static_cast<HostDataObject*>(object);
}

}  // namespace vxtest
