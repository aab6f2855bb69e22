// The framework's button control: owns one child button window.
#pragma once

#include <cstdint>

#include "../Types.h"
#include "ModuleState.h"

namespace vx {

class CPropertyPageBase;

class CButtonBase : public CObject {
  public:
    CButtonBase() = default;
    ~CButtonBase() override;  // destroys the window
    CButtonBase(const CButtonBase&) = delete;
    CButtonBase& operator=(const CButtonBase&) = delete;

    // Creates the child button window in the current module; non-zero on success.
    int Create(const char* caption, uint32_t style, const Rect& rect, CPropertyPageBase* parent,
               int id);
    void DestroyWindow();
    // Forgets the window without destroying it (its parent has destroyed
    // it, or is about to); returns the handle that was held.
    WindowHandle Detach();
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) const;
    WindowHandle GetSafeHwnd() const { return m_hWnd; }

  protected:
    WindowHandle m_hWnd = nullptr;
};

// The framework's font object for a window's font handle. Objects are kept
// by the framework for the module's life; callers never own them.
class CFontRef {
  public:
    // Null for a null handle.
    static CFontRef* FromHandle(FontHandle handle);
    FontHandle GetSafeHandle() const { return m_hObject; }

  private:
    friend class CFontRefTable;  // makes and keeps them
    explicit CFontRef(FontHandle handle) : m_hObject(handle) {}
    FontHandle m_hObject;
};

}  // namespace vx
