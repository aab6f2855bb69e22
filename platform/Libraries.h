// Loading of the driver maker's outside libraries by name.
#pragma once

#include "Types.h"
#include "UniqueHandle.h"

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
