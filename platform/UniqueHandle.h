// The one owner of a handle of any kind: a key, a library, a file
// descriptor, a device context, a COM reference. It is moved, never copied,
// and closes what it holds when it goes or is given another handle.
//
// What a handle is and how it is closed is the closer's business, chosen at
// compile time:
//
//   struct KeyCloser {
//       using Handle = HKEY;                  // the handle type
//       static constexpr HKEY kInvalid = {};  // optional; "none" is Handle{}
//       void operator()(HKEY key) const;      // closes a handle that is not kInvalid
//   };
//
// A closer may carry state (the registry a key was opened through); the
// state moves with the handle. The header includes no system header, so
// the portable logic, the shipped DLLs and the tests share it.
#pragma once

#include <type_traits>
#include <utility>

namespace vx {

// The closer that calls one function with the handle (RegCloseKey,
// FreeLibrary, close): CallCloser<HKEY, &RegCloseKey>.
template <typename H, auto Close>
struct CallCloser {
    using Handle = H;
    void operator()(H handle) const { Close(handle); }
};

// A base for an owner of what is no single handle (a saved state, a list of
// handles) or of an object that others point at: it is neither copied nor
// moved.
class Pinned {
  public:
    Pinned(const Pinned&) = delete;
    Pinned& operator=(const Pinned&) = delete;

  protected:
    Pinned() = default;
    ~Pinned() = default;
};

// The closer's kInvalid when it names one, else a value-initialised handle.
// (kInvalid need not be a constant expression: INVALID_HANDLE_VALUE is not.)
template <typename Closer, typename = void>
struct InvalidHandleOf {
    static typename Closer::Handle Value() { return typename Closer::Handle{}; }
};
template <typename Closer>
struct InvalidHandleOf<Closer, std::void_t<decltype(Closer::kInvalid)>> {
    static typename Closer::Handle Value() { return Closer::kInvalid; }
};

// Where an owner keeps its handle: in itself (the usual case) ...
template <typename Handle>
class HeldInside {
  public:
    static constexpr bool kMovable = true;
    explicit HeldInside(Handle handle) : m_handle(handle) {}
    Handle& Slot() { return m_handle; }
    const Handle& Slot() const { return m_handle; }

  private:
    Handle m_handle;
};

// ... or in a slot outside it, a member whose name the module's interfaces
// fix. The slot holds the invalid value whenever the owner holds nothing.
// Such an owner stays where it is: it is not moved.
template <typename Handle>
class HeldInSlot {
  public:
    static constexpr bool kMovable = false;
    explicit HeldInSlot(Handle& slot) : m_slot(&slot) {}
    Handle& Slot() { return *m_slot; }
    const Handle& Slot() const { return *m_slot; }

  private:
    Handle* m_slot;
};

template <typename Closer, typename Storage = HeldInside<typename Closer::Handle>>
class UniqueHandle {
  public:
    using Handle = typename Closer::Handle;
    static Handle Invalid() { return InvalidHandleOf<Closer>::Value(); }

    UniqueHandle() : m_storage(Invalid()) {}
    explicit UniqueHandle(Handle handle) : m_storage(handle) {}
    UniqueHandle(Closer closer, Handle handle) : m_closer(std::move(closer)), m_storage(handle) {}
    // An owner that fills an outside slot; the slot starts empty (whatever
    // it held before is not this owner's to close).
    UniqueHandle(Closer closer, Storage storage)
        : m_closer(std::move(closer)), m_storage(std::move(storage)) {
        m_storage.Slot() = Invalid();
    }
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : m_closer(std::move(other.m_closer)), m_storage(other.release()) {
        static_assert(Storage::kMovable, "an owner that fills an outside slot is not moved");
    }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        static_assert(Storage::kMovable, "an owner that fills an outside slot is not moved");
        if (this != &other) {
            reset(other.release());
            m_closer = std::move(other.m_closer);
        }
        return *this;
    }

    Handle get() const { return m_storage.Slot(); }
    bool valid() const { return get() != Invalid(); }
    explicit operator bool() const { return valid(); }

    // Gives the handle up without closing it.
    Handle release() {
        Handle handle = m_storage.Slot();
        m_storage.Slot() = Invalid();
        return handle;
    }

    // Closes the handle held (if any), then holds handle. The slot never
    // names a closed handle, even while the closer runs.
    void reset(Handle handle = Invalid()) {
        Handle old = m_storage.Slot();
        m_storage.Slot() = handle;
        if (old != Invalid()) m_closer(old);
    }

    // For an out-parameter: closes what is held and hands out the empty slot.
    Handle* put() {
        reset();
        return &m_storage.Slot();
    }

    Closer& closer() { return m_closer; }
    const Closer& closer() const { return m_closer; }

  private:
    Closer m_closer;
    Storage m_storage;
};

}  // namespace vx
