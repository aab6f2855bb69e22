#include "../FakeDataObject.h"

namespace vxtest {

// The host's IDataObject has no methods beyond IUnknown's.
CountingObject<IDataObject>* CreateCountingDataObject(CallCounts* counts) {
    return new CountingObject<IDataObject>(counts);
}

}  // namespace vxtest
