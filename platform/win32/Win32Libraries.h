// Outside libraries loaded by name through the system loader.
#pragma once

#include "platform/Libraries.h"
#include "platform/LibraryMethods.h"

namespace vx {

class Win32Libraries final : public ILibraryLoader {
  public:
    VX_OVERRIDES(VX_LIBRARY_METHODS)
};

}  // namespace vx
