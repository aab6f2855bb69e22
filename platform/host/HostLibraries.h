// The outside libraries of the host platform: stand-ins registered in the
// process under a library file name, each a table of entry points. Names
// compare without regard to case, a folder in front of a name is not
// looked at, and a name without an extension means the ".dll" file, as for
// LoadLibraryA. Loading a library that is loaded
// already gives the same handle and counts once more; it stays loaded
// until it was freed as often as it was loaded.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Libraries.h"
#include "platform/LibraryMethods.h"

namespace vx {

class HostLibraries final : public ILibraryLoader {
  public:
    using SymbolTable = std::map<std::string, void*>;

    // An entry point for a symbol table.
    template <typename Function>
    static void* Symbol(Function* function) {
        return reinterpret_cast<void*>(function);
    }

    HostLibraries() = default;
    HostLibraries(const HostLibraries&) = delete;
    HostLibraries& operator=(const HostLibraries&) = delete;

    // Makes a library available under a file name (replacing one of that name).
    void Register(const std::string& name, SymbolTable symbols);
    // Makes it unavailable to later loads; handles already given out stay usable.
    void Remove(const std::string& name);
    // Takes one entry point out of a registered library.
    void StripEntryPoint(const std::string& name, const std::string& symbol);

    VX_OVERRIDES(VX_LIBRARY_METHODS)

    // Loads asked for under a name, the failed ones included.
    int LoadAttempts(const std::string& name) const;
    // Successful loads and frees, and the loads not yet freed, of all libraries.
    int LoadCount() const { return m_loads; }
    int FreeCount() const { return m_frees; }
    int LoadedCount() const { return m_loads - m_frees; }
    int GetProcCalls() const { return m_getProcCalls; }

  private:
    struct Library {
        SymbolTable symbols;
        int references = 0;
    };
    Library* Find(LibraryHandle handle) const;

    std::map<std::string, std::shared_ptr<Library>> m_registered;  // by normalised name
    std::vector<std::shared_ptr<Library>> m_everRegistered;        // keeps handles valid
    std::map<std::string, int> m_attempts;
    int m_loads = 0;
    int m_frees = 0;
    int m_getProcCalls = 0;
};

}  // namespace vx
