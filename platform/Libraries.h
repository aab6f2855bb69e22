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

// Loads a library by name and frees it on every path out of a scope.
class ScopedLibrary {
  public:
    ScopedLibrary(ILibraryLoader& loader, const char* fileName)
        : m_loader(loader), m_library(loader.Load(fileName)) {}
    ~ScopedLibrary() {
        if (m_library != nullptr) m_loader.Free(m_library);
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;

    // Null when the library could not be loaded.
    LibraryHandle Get() const { return m_library; }
    // The entry point's address; null when it is absent or nothing is loaded.
    void* GetProc(const char* symbol) const {
        return m_library != nullptr ? m_loader.GetProc(m_library, symbol) : nullptr;
    }

  private:
    ILibraryLoader& m_loader;
    LibraryHandle m_library;
};

}  // namespace vx
