// Loading of the driver maker's outside libraries by name.
#pragma once

#include "Types.h"

namespace vx {

class ILibraryLoader {
public:
    virtual ~ILibraryLoader() = default;
    // LoadLibraryA; null when the library cannot be loaded.
    virtual LibraryHandle Load(const char* fileName) = 0;
    // GetProcAddress; null when the entry point is absent.
    virtual void* GetProc(LibraryHandle library, const char* symbol) = 0;
    // FreeLibrary.
    virtual int Free(LibraryHandle library) = 0;
};

}  // namespace vx
