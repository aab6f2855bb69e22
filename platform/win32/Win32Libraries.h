// Outside libraries loaded by name through the system loader.
#pragma once

#include "platform/Libraries.h"

namespace vx {

class Win32Libraries final : public ILibraryLoader {
  public:
    LibraryHandle Load(const char* fileName) override;
    void* GetProc(LibraryHandle library, const char* symbol) override;
    int Free(LibraryHandle library) override;
};

}  // namespace vx
