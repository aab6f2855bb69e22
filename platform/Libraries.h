// Loading of the driver maker's outside libraries by name.
#pragma once

#include "LibraryMethods.h"
#include "Types.h"
#include "UniqueHandle.h"

namespace vx {

// The operations, as LibraryMethods.h lists them:
//   Load     LoadLibraryA; null when the library cannot be loaded.
//   GetProc  GetProcAddress; null when the entry point is absent.
//   Free     FreeLibrary.
VX_DECLARE_INTERFACE(ILibraryLoader, VX_LIBRARY_METHODS);

// Frees a library through the loader that loaded it.
struct LibraryCloser {
    using Handle = LibraryHandle;
    ILibraryLoader* loader = nullptr;
    void operator()(LibraryHandle library) const { loader->Free(library); }
};

// Loads a library by name and frees it on every path out of a scope.
class ScopedLibrary : public UniqueHandle<LibraryCloser> {
  public:
    ScopedLibrary(ILibraryLoader& loader, const char* fileName)
        : UniqueHandle(LibraryCloser{&loader}, loader.Load(fileName)) {}

    // The entry point's address; null when it is absent or nothing is loaded.
    void* GetProc(const char* symbol) const {
        return valid() ? closer().loader->GetProc(get(), symbol) : nullptr;
    }
};

}  // namespace vx
