// Owns one reference to a COM object: Reset takes a reference of its own,
// and the one held is given back by the next Reset or the owner's end.
#pragma once

namespace vx {

template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    // Releases the object held, then holds object (AddRef) unless it is null.
    void Reset(Interface* object = nullptr) {
        if (m_object != nullptr) {
            Interface* held = m_object;
            m_object = nullptr;
            held->Release();
        }
        if (object != nullptr) {
            m_object = object;
            m_object->AddRef();
        }
    }
    Interface* Get() const { return m_object; }

  private:
    Interface* m_object = nullptr;
};

}  // namespace vx
