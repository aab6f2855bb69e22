// Owns one reference to a COM object and gives it back (Release) when it
// goes or is given another. A reference is taken over (attach, put for an
// out-parameter) or copied (copy, which takes one of its own with AddRef).
#pragma once

#include "UniqueHandle.h"

namespace vx {

template <typename Interface>
struct ComReleaser {
    using Handle = Interface*;
    void operator()(Interface* object) const { object->Release(); }
};

template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(ComPtr&&) noexcept = default;
    ComPtr& operator=(ComPtr&&) noexcept = default;

    // Takes over a reference that the caller holds.
    static ComPtr Attached(Interface* object) {
        ComPtr held;
        held.attach(object);
        return held;
    }

    Interface* get() const { return m_held.get(); }
    Interface* operator->() const { return m_held.get(); }
    explicit operator bool() const { return m_held.valid(); }

    // Gives back the reference held, if any.
    void reset() { m_held.reset(); }
    // Gives back the reference held, then takes over object's.
    void attach(Interface* object) { m_held.reset(object); }
    // Gives back the reference held, then holds object with a reference of
    // its own (AddRef) unless it is null.
    void copy(Interface* object) {
        if (object != nullptr) object->AddRef();
        m_held.reset(object);
    }
    // Hands the reference to the caller, who must give it back.
    Interface* detach() { return m_held.release(); }
    // For an out-parameter that receives a reference.
    Interface** put() { return m_held.put(); }
    void** put_void() { return reinterpret_cast<void**>(m_held.put()); }

  private:
    UniqueHandle<ComReleaser<Interface>> m_held;
};

}  // namespace vx
