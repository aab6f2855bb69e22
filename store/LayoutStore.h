// Registry access to the driver's Layout and Association data.
#pragma once

#include <cstdint>

#include "platform/Types.h"
#include "platform/framework/FrameworkString.h"

namespace vx {

class CLayoutStore {
  public:
    // Starts the Layout enumeration at index 0 and resolves DriverKeyPath
    // when it is still empty.
    CLayoutStore();
    ~CLayoutStore() = default;
    CLayoutStore(const CLayoutStore&) = delete;
    CLayoutStore& operator=(const CLayoutStore&) = delete;

    // 1 when a value was returned and the index advanced; 0 otherwise.
    int NextLayoutValue(CString& name, CString& data);
    // Names are taken as they are, never copied: a copy that could not be
    // allocated would name another value or key.
    // Always 0.
    int DeleteLayoutValue(const char* name);
    // 1 when the entry's Association key was deleted; 0 otherwise.
    int DeleteAssociation(const char* name);
    // Read (readFlag non-zero) or write (readFlag 0) one Association value.
    int AssociationValue(const char* entryName, const char* valueName, CString& data, int readFlag);

    uint32_t EnumerationIndex() const { return m_nIndex; }
    // 1 once an operation failed because a string could not be allocated:
    // a path that could not be composed whole (the operation then did
    // nothing: a shorter path would name a key above the one meant), or a
    // text read that could not be kept (the read failed).
    int RanOutOfMemory() const { return m_bOutOfMemory; }

  private:
    void ResolveDriverKey();
    int ReadCurrentDisplayKey(CString& value);
    // DriverKeyPath followed by suffix and name; 0 when it could not be had whole.
    int ComposePath(CString& path, const char* suffix, const char* name = "");
    // The registry text into a string; 0 when it could not be kept whole.
    int TakeText(CString& text, const uint8_t* data, uint32_t bytes);

    uint32_t m_nIndex;
    KeyHandle m_hKey;
    int m_bOutOfMemory = 0;
};

}  // namespace vx
