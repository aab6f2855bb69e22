#include "platform/host/HostWindowing.h"

#include <cstring>

#include "platform/WinConstants.h"

namespace vx {

namespace {

// Handles are small numbers, never addresses, so that a stale or foreign
// handle is recognised rather than followed.
constexpr uintptr_t kFirstHandle = 0x10000;
constexpr uintptr_t kHandleStep = 4;

bool IsButton(const HostWindow& w) {
    return w.className == "Button";
}

uint32_t ButtonType(const HostWindow& w) {
    return w.style & HostButtonType::kMask;
}

bool IsRadio(const HostWindow& w) {
    const uint32_t type = ButtonType(w);
    return IsButton(w) &&
           (type == HostButtonType::kRadioButton || type == HostButtonType::kAutoRadioButton);
}

// The highest check state that a button of this type takes.
uintptr_t MaxCheck(const HostWindow& w) {
    if (!IsButton(w)) return 0;
    switch (ButtonType(w)) {
        case HostButtonType::kCheckBox:
        case HostButtonType::kAutoCheckBox:
        case HostButtonType::kRadioButton:
        case HostButtonType::kAutoRadioButton:
            return 1;
        case HostButtonType::k3State:
        case HostButtonType::kAuto3State:
            return 2;
        default:
            return 0;
    }
}

}  // namespace

HostWindowing::HostWindowing() = default;
HostWindowing::~HostWindowing() = default;

WindowHandle HostWindowing::Create(const char* className, const char* caption, uint32_t style,
                                   const Rect& rect, WindowHandle parent, int id,
                                   InstanceHandle module) {
    if (parent != nullptr && Live(parent) == nullptr) return nullptr;
    auto window = std::make_unique<HostWindow>();
    window->handle = reinterpret_cast<WindowHandle>(kFirstHandle + kHandleStep * m_windows.size());
    window->className = className ? className : "";
    window->caption = caption ? caption : "";
    window->createStyle = style;
    window->style = style;
    window->rect = rect;
    window->id = id;
    window->parent = parent;
    window->module = module;
    m_windows.push_back(std::move(window));
    return m_windows.back()->handle;
}

WindowHandle HostWindowing::CreateButton(const char* caption, uint32_t style, const Rect& rect,
                                         WindowHandle parent, int id, InstanceHandle module) {
    return Create("Button", caption, style, rect, parent, id, module);
}

const HostWindow* HostWindowing::Find(WindowHandle window) const {
    const uintptr_t value = reinterpret_cast<uintptr_t>(window);
    if (value < kFirstHandle || (value - kFirstHandle) % kHandleStep != 0) return nullptr;
    const size_t index = (value - kFirstHandle) / kHandleStep;
    return index < m_windows.size() ? m_windows[index].get() : nullptr;
}

HostWindow* HostWindowing::Live(WindowHandle window) {
    HostWindow* w = const_cast<HostWindow*>(Find(window));
    return w != nullptr && !w->destroyed ? w : nullptr;
}

int HostWindowing::DestroyWindow(WindowHandle window) {
    HostWindow* w = Live(window);
    if (w == nullptr) {
        if (Find(window) != nullptr) ++m_destroyCallsOnDead;
        return 0;
    }
    for (const auto& child : m_windows) {
        if (child->parent == window && !child->destroyed) DestroyWindow(child->handle);
    }
    w->destroyed = true;
    return 1;
}

void HostWindowing::SetCheck(HostWindow& w, uintptr_t state) {
    const uintptr_t max = MaxCheck(w);
    w.check = static_cast<int>(state > max ? max : state);
    // The real class gives a checked radio button the tab stop and takes it
    // from an unchecked one.
    if (IsRadio(w)) w.style = state != 0 ? (w.style | kWsTabStop) : (w.style & ~kWsTabStop);
}

intptr_t HostWindowing::Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) {
    m_sent.push_back({window, message, wParam, lParam});
    HostWindow* w = Live(window);
    if (w == nullptr) return 0;
    switch (message) {
        case kWmSetFont:
            w->font = reinterpret_cast<FontHandle>(wParam);
            return 0;
        case kWmGetFont:
            return reinterpret_cast<intptr_t>(w->font);
        case kBmGetCheck:
            return IsButton(*w) ? w->check : 0;
        case kBmSetCheck:
            if (IsButton(*w)) SetCheck(*w, wParam);
            return 0;
        default:
            return 0;
    }
}

int HostWindowing::GetWindowRect(WindowHandle window, Rect* rect) {
    const HostWindow* w = Live(window);
    if (w == nullptr || rect == nullptr) return 0;
    Rect screen = w->rect;
    // Headless windows have no frame: a window's client area starts at its
    // own top-left corner.
    for (const HostWindow* p = Live(w->parent); p != nullptr; p = Live(p->parent)) {
        screen.left += p->rect.left;
        screen.right += p->rect.left;
        screen.top += p->rect.top;
        screen.bottom += p->rect.top;
    }
    *rect = screen;
    return 1;
}

const HostWindow* HostWindowing::Child(WindowHandle parent, int id) const {
    for (const auto& w : m_windows) {
        if (w->parent == parent && w->id == id && !w->destroyed) return w.get();
    }
    return nullptr;
}

WindowHandle HostWindowing::GetDlgItem(WindowHandle dialog, int id) {
    if (Live(dialog) == nullptr) return nullptr;
    const HostWindow* child = Child(dialog, id);
    return child ? child->handle : nullptr;
}

int HostWindowing::EnableWindow(WindowHandle window, int enable) {
    HostWindow* w = Live(window);
    if (w == nullptr) return 0;
    const int wasDisabled = w->enabled ? 0 : 1;
    w->enabled = enable != 0;
    return wasDisabled;
}

std::vector<const HostWindow*> HostWindowing::Children(WindowHandle parent) const {
    std::vector<const HostWindow*> children;
    for (const auto& w : m_windows) {
        if (w->parent == parent && !w->destroyed) children.push_back(w.get());
    }
    return children;
}

std::vector<const HostWindow*> HostWindowing::All() const {
    std::vector<const HostWindow*> all;
    for (const auto& w : m_windows) all.push_back(w.get());
    return all;
}

}  // namespace vx
