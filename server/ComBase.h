// The reference counting of the module's COM classes, written once. A class
// derives from CComBase<itself, its interfaces...>, which derives from the
// interfaces and implements their AddRef and Release for all of them: one
// count per object, starting at 0 (the caller's first reference comes
// through the object's own QueryInterface), the object deleted by its last
// Release. Every object counts in LiveObjectCount while it lives.
#pragma once

#include "ComTypes.h"
#include "server/ModuleGlobals.h"
#include "server/Trace.h"

namespace vx {

template <typename Self, typename... Interfaces>
class CComBase : public Interfaces... {
  public:
    CComBase(const CComBase&) = delete;
    CComBase& operator=(const CComBase&) = delete;

    ULONG STDMETHODCALLTYPE AddRef() override {
        if (m_addRefTrace != nullptr) Trace(m_addRefTrace);
        return ++m_cRef;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        if (m_releaseTrace != nullptr) Trace(m_releaseTrace);
        if (--m_cRef != 0) return m_cRef;
        delete static_cast<Self*>(this);
        return 0;
    }

  protected:
    // The trace lines that AddRef and Release write; null for none.
    CComBase(const char* addRefTrace, const char* releaseTrace)
        : m_addRefTrace(addRefTrace), m_releaseTrace(releaseTrace) {
        ++LiveObjectCount;
    }
    ~CComBase() { --LiveObjectCount; }

  private:
    ULONG m_cRef = 0;
    const char* m_addRefTrace;
    const char* m_releaseTrace;
};

}  // namespace vx
