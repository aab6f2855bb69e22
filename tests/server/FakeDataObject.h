// A data object that counts the AddRef and Release calls it gets. The test
// owns it: Release never frees it.
#pragma once

#include <memory>

#include "ComTypes.h"

namespace vxtest {

struct CallCounts {
    int addRefs = 0;
    int releases = 0;
    int Held() const { return addRefs - releases; }
};

// The counting part of the object, over either backend's IDataObject.
template <typename Interface>
class CountingObject : public Interface {
  public:
    explicit CountingObject(CallCounts* counts) : m_counts(counts) {}
    virtual ~CountingObject() = default;
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

// Each backend makes the object over its own IDataObject (the Windows one
// has the data methods to answer too).
CountingObject<IDataObject>* CreateCountingDataObject(CallCounts* counts);

class CountingDataObject {
  public:
    CountingDataObject() : m_object(CreateCountingDataObject(&counts)) {}
    IDataObject* get() const { return m_object.get(); }

    CallCounts counts;

  private:
    std::unique_ptr<CountingObject<IDataObject>> m_object;
};

}  // namespace vxtest
