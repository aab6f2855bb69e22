// A data object that counts the AddRef and Release calls it gets. The test
// owns it: Release never frees it.
#pragma once

#include "ComTypes.h"

namespace vxtest {

struct CallCounts {
    int addRefs = 0;
    int releases = 0;
    int Held() const { return addRefs - releases; }
};

// Each backend defines the object over its own IDataObject.
IDataObject* CreateCountingDataObject(CallCounts* counts);
void DestroyCountingDataObject(IDataObject* object);

class CountingDataObject {
  public:
    CountingDataObject() : m_object(CreateCountingDataObject(&counts)) {}
    ~CountingDataObject() { DestroyCountingDataObject(m_object); }
    CountingDataObject(const CountingDataObject&) = delete;
    CountingDataObject& operator=(const CountingDataObject&) = delete;
    IDataObject* get() const { return m_object; }

    CallCounts counts;

  private:
    IDataObject* m_object;
};

}  // namespace vxtest
