// Headless windows for the host backend: every window is a record that
// keeps what the real one would show (class, caption, style, rectangle,
// id, parent, font, check, enabled, destroyed), and tests read the records.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Windowing.h"

namespace vx {

struct HostWindow {
    WindowHandle handle = nullptr;
    std::string className;  // "Button", "Static", "#32770"
    std::string caption;
    uint32_t createStyle = 0;  // the style the window was created with
    uint32_t style = 0;        // the style now (BM_SETCHECK moves a radio button's WS_TABSTOP)
    Rect rect;                 // in the parent's client area; on the screen for a top-level window
    int id = 0;
    WindowHandle parent = nullptr;
    InstanceHandle module = nullptr;
    FontHandle font = nullptr;
    int check = 0;
    bool enabled = true;
    bool destroyed = false;
};

// One message that reached a window through Send.
struct SentMessage {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class HostWindowing final : public IWindowing {
  public:
    HostWindowing();
    ~HostWindowing() override;
    HostWindowing(const HostWindowing&) = delete;
    HostWindowing& operator=(const HostWindowing&) = delete;

    // DestroyWindow destroys the window and all its descendants; it gives 0
    // for a window that is unknown or already destroyed (counted: on
    // Windows such a handle may belong to another window by then).
    // Send: WM_SETFONT, WM_GETFONT, BM_GETCHECK and BM_SETCHECK act as the
    // real button class does; every other message, and any message to a
    // window that is unknown or destroyed, gives 0.
    VX_OVERRIDES(VX_WINDOWING_METHODS)

    // Creates a window of any class; null when the parent is unknown or destroyed.
    WindowHandle Create(const char* className, const char* caption, uint32_t style,
                        const Rect& rect, WindowHandle parent, int id, InstanceHandle module);
    // The record of a window, also of a destroyed one; null for an unknown handle.
    const HostWindow* Find(WindowHandle window) const;
    // The live children of a window in creation order.
    std::vector<const HostWindow*> Children(WindowHandle parent) const;
    // The live child with this id; null when there is none.
    const HostWindow* Child(WindowHandle parent, int id) const;
    // Every window ever created here, in creation order.
    std::vector<const HostWindow*> All() const;
    const std::vector<SentMessage>& Sent() const { return m_sent; }
    // DestroyWindow calls for windows that had been destroyed already.
    int DestroyCallsOnDeadWindows() const { return m_destroyCallsOnDead; }
    void ClearSent() { m_sent.clear(); }

  private:
    HostWindow* Live(WindowHandle window);
    void SetCheck(HostWindow& window, uintptr_t state);

    std::vector<std::unique_ptr<HostWindow>> m_windows;
    std::vector<SentMessage> m_sent;
    int m_destroyCallsOnDead = 0;
};

// Button types of the real button class: the low four style bits.
struct HostButtonType {
    static constexpr uint32_t kMask = 0x0000000F;
    static constexpr uint32_t kPushButton = 0x0;
    static constexpr uint32_t kCheckBox = 0x2;
    static constexpr uint32_t kAutoCheckBox = 0x3;
    static constexpr uint32_t kRadioButton = 0x4;
    static constexpr uint32_t k3State = 0x5;
    static constexpr uint32_t kAuto3State = 0x6;
    static constexpr uint32_t kGroupBox = 0x7;
    static constexpr uint32_t kAutoRadioButton = 0x9;
};

}  // namespace vx
