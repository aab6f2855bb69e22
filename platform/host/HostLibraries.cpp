#include "HostLibraries.h"

#include "platform/NoCase.h"

namespace vx {

namespace {

std::string NormalName(const std::string& name) {
    std::string lower = LowerCase(name);
    size_t slash = lower.find_last_of("\\/");
    std::string base = slash == std::string::npos ? lower : lower.substr(slash + 1);
    if (base.find('.') == std::string::npos) base += ".dll";
    return base;
}

}  // namespace

void HostLibraries::Register(const std::string& name, SymbolTable symbols) {
    auto library = std::make_shared<Library>();
    library->symbols = std::move(symbols);
    m_everRegistered.push_back(library);
    m_registered[NormalName(name)] = std::move(library);
}

void HostLibraries::Remove(const std::string& name) {
    m_registered.erase(NormalName(name));
}

void HostLibraries::StripEntryPoint(const std::string& name, const std::string& symbol) {
    auto it = m_registered.find(NormalName(name));
    if (it != m_registered.end()) it->second->symbols.erase(symbol);
}

HostLibraries::Library* HostLibraries::Find(LibraryHandle handle) const {
    for (const std::shared_ptr<Library>& library : m_everRegistered) {
        if (reinterpret_cast<LibraryHandle>(library.get()) == handle && library->references > 0)
            return library.get();
    }
    return nullptr;
}

LibraryHandle HostLibraries::Load(const char* fileName) {
    if (fileName == nullptr) return nullptr;
    std::string name = NormalName(fileName);
    ++m_attempts[name];
    auto it = m_registered.find(name);
    if (it == m_registered.end()) return nullptr;
    ++it->second->references;
    ++m_loads;
    return reinterpret_cast<LibraryHandle>(it->second.get());
}

void* HostLibraries::GetProc(LibraryHandle library, const char* symbol) {
    ++m_getProcCalls;
    Library* loaded = Find(library);
    if (loaded == nullptr || symbol == nullptr) return nullptr;
    auto it = loaded->symbols.find(symbol);  // entry point names are case-sensitive
    return it == loaded->symbols.end() ? nullptr : it->second;
}

int HostLibraries::Free(LibraryHandle library) {
    Library* loaded = Find(library);
    if (loaded == nullptr) return 0;
    --loaded->references;
    ++m_frees;
    return 1;
}

int HostLibraries::LoadAttempts(const std::string& name) const {
    auto it = m_attempts.find(NormalName(name));
    return it == m_attempts.end() ? 0 : it->second;
}

}  // namespace vx
