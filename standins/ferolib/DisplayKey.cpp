#include "DisplayKey.h"

#include <windows.h>

namespace standin {

namespace {
class OpenKey {
  public:
    OpenKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &m_key) != ERROR_SUCCESS) m_key = nullptr;
    }
    ~OpenKey() {
        if (m_key != nullptr) RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};
}  // namespace

int ReadCurrentDisplayKey(char* buffer, unsigned long capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    OpenKey key(HKEY_LOCAL_MACHINE, "SOFTWARE\\Corvane\\Lumetra");
    if (key.Get() == nullptr) return 0;
    DWORD type = 0;
    DWORD size = capacity - 1;  // keeps room for a closing zero
    LONG result = RegQueryValueExA(key.Get(), "CurrentDisplayKey", nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS) return 0;
    buffer[size < capacity ? size : capacity - 1] = '\0';
    return 1;
}

}  // namespace standin
