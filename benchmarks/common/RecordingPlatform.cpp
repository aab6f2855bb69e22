#include "RecordingPlatform.h"

#include "platform/WinConstants.h"
#include "platform/framework/ModuleState.h"
#include "platform/framework/PropertyPage.h"

namespace vxbench {

void RecordingPlatform::Clear() {
    m_log = CallLog{};
    m_keys.clear();
    m_windows.clear();
    m_fonts.clear();
    m_pages.clear();
}

Call& RecordingPlatform::Add(Op op) {
    m_log.calls.push_back(Call{});
    m_log.calls.back().op = op;
    return m_log.calls.back();
}

int RecordingPlatform::KeySlot(vx::KeyHandle key) {
    auto it = m_keys.find(key);
    return it != m_keys.end() ? it->second : kNoSlot;
}

int RecordingPlatform::WindowSlot(vx::WindowHandle window) {
    if (window == nullptr) return kNoSlot;
    auto it = m_windows.find(window);
    if (it != m_windows.end()) return it->second;
    const int slot = NewWindowSlot(window);
    m_log.outsideWindows.push_back(slot);
    return slot;
}

int RecordingPlatform::NewWindowSlot(vx::WindowHandle window) {
    const int slot = m_log.windowSlots++;
    m_windows[window] = slot;
    return slot;
}

// Registry -----------------------------------------------------------------

long RecordingPlatform::OpenKey(const char* path, uint32_t access, vx::KeyHandle* out) {
    const size_t at = m_log.calls.size();
    {
        Call& c = Add(Op::kOpenKey);
        c.s1 = Text::Of(path);
        c.u1 = access;
    }
    const long result = ForwardingPlatform::OpenKey(path, access, out);
    if (result == vx::kErrorSuccess && out != nullptr && *out != nullptr) {
        m_log.calls[at].resultSlot = m_log.keySlots++;
        m_keys[*out] = m_log.calls[at].resultSlot;
    }
    return result;
}

long RecordingPlatform::EnumValue(vx::KeyHandle key, uint32_t index, char* name,
                                  uint32_t* nameChars, uint32_t* type, uint8_t* data,
                                  uint32_t* dataBytes) {
    Call& c = Add(Op::kEnumValue);
    c.keySlot = KeySlot(key);
    c.u1 = index;
    c.u2 = nameChars != nullptr ? *nameChars : 0;
    c.u3 = dataBytes != nullptr ? *dataBytes : 0;
    return ForwardingPlatform::EnumValue(key, index, name, nameChars, type, data, dataBytes);
}

long RecordingPlatform::QueryValue(vx::KeyHandle key, const char* name, uint32_t* type,
                                   uint8_t* data, uint32_t* dataBytes) {
    Call& c = Add(Op::kQueryValue);
    c.keySlot = KeySlot(key);
    c.s1 = Text::Of(name);
    c.u3 = dataBytes != nullptr ? *dataBytes : 0;
    return ForwardingPlatform::QueryValue(key, name, type, data, dataBytes);
}

long RecordingPlatform::SetValue(vx::KeyHandle key, const char* name, uint32_t type,
                                 const uint8_t* data, uint32_t bytes) {
    Call& c = Add(Op::kSetValue);
    c.keySlot = KeySlot(key);
    c.s1 = Text::Of(name);
    c.u1 = type;
    if (data != nullptr) c.data.assign(data, data + bytes);
    return ForwardingPlatform::SetValue(key, name, type, data, bytes);
}

long RecordingPlatform::DeleteValue(vx::KeyHandle key, const char* name) {
    Call& c = Add(Op::kDeleteValue);
    c.keySlot = KeySlot(key);
    c.s1 = Text::Of(name);
    return ForwardingPlatform::DeleteValue(key, name);
}

long RecordingPlatform::DeleteKey(const char* path) {
    Call& c = Add(Op::kDeleteKey);
    c.s1 = Text::Of(path);
    return ForwardingPlatform::DeleteKey(path);
}

long RecordingPlatform::CloseKey(vx::KeyHandle key) {
    Call& c = Add(Op::kCloseKey);
    c.keySlot = KeySlot(key);
    m_keys.erase(key);  // the handle value may come back for another key
    return ForwardingPlatform::CloseKey(key);
}

// INI profile --------------------------------------------------------------

uint32_t RecordingPlatform::GetInt(const char* section, const char* key, int32_t defaultValue,
                                   const char* file) {
    Call& c = Add(Op::kGetInt);
    c.s1 = Text::Of(section);
    c.s2 = Text::Of(key);
    c.s4 = Text::Of(file);
    c.i1 = defaultValue;
    return ForwardingPlatform::GetInt(section, key, defaultValue, file);
}

int RecordingPlatform::WriteString(const char* section, const char* key, const char* value,
                                   const char* file) {
    Call& c = Add(Op::kWriteString);
    c.s1 = Text::Of(section);
    c.s2 = Text::Of(key);
    c.s3 = Text::Of(value);
    c.s4 = Text::Of(file);
    return ForwardingPlatform::WriteString(section, key, value, file);
}

// Windows ------------------------------------------------------------------

vx::WindowHandle RecordingPlatform::CreateButton(const char* caption, uint32_t style,
                                                 const vx::Rect& rect, vx::WindowHandle parent,
                                                 int id, vx::InstanceHandle module) {
    const size_t at = m_log.calls.size();
    {
        const int parentSlot = WindowSlot(parent);
        Call& c = Add(Op::kCreateButton);
        c.s1 = Text::Of(caption);
        c.u1 = style;
        c.rect = rect;
        c.windowSlot = parentSlot;
        c.i1 = id;
        c.module = module;
    }
    vx::WindowHandle created =
        ForwardingPlatform::CreateButton(caption, style, rect, parent, id, module);
    if (created != nullptr) m_log.calls[at].resultSlot = NewWindowSlot(created);
    return created;
}

int RecordingPlatform::DestroyWindow(vx::WindowHandle window) {
    Call& c = Add(Op::kDestroyWindow);
    c.windowSlot = WindowSlot(window);
    return ForwardingPlatform::DestroyWindow(window);
}

intptr_t RecordingPlatform::Send(vx::WindowHandle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
    const size_t at = m_log.calls.size();
    {
        Call& c = Add(Op::kSend);
        c.windowSlot = WindowSlot(window);
        c.u1 = message;
        c.wParam = wParam;
        c.lParam = lParam;
        if (message == vx::kWmSetFont) {
            auto font = m_fonts.find(wParam);
            if (font != m_fonts.end()) c.wParamSlot = font->second;
        }
    }
    const intptr_t result = ForwardingPlatform::Send(window, message, wParam, lParam);
    if (message == vx::kWmGetFont && result != 0) {
        const uintptr_t font = static_cast<uintptr_t>(result);
        auto it = m_fonts.find(font);
        const int slot = it != m_fonts.end() ? it->second : m_log.fontSlots++;
        m_fonts[font] = slot;
        m_log.calls[at].resultSlot = slot;
    }
    return result;
}

int RecordingPlatform::GetWindowRect(vx::WindowHandle window, vx::Rect* rect) {
    Call& c = Add(Op::kGetWindowRect);
    c.windowSlot = WindowSlot(window);
    return ForwardingPlatform::GetWindowRect(window, rect);
}

vx::WindowHandle RecordingPlatform::GetDlgItem(vx::WindowHandle dialog, int id) {
    const size_t at = m_log.calls.size();
    {
        Call& c = Add(Op::kGetDlgItem);
        c.windowSlot = WindowSlot(dialog);
        c.i1 = id;
    }
    vx::WindowHandle item = ForwardingPlatform::GetDlgItem(dialog, id);
    if (item != nullptr) {
        auto it = m_windows.find(item);
        m_log.calls[at].resultSlot = it != m_windows.end() ? it->second : NewWindowSlot(item);
    }
    return item;
}

int RecordingPlatform::EnableWindow(vx::WindowHandle window, int enable) {
    Call& c = Add(Op::kEnableWindow);
    c.windowSlot = WindowSlot(window);
    c.u1 = static_cast<uint32_t>(enable);
    return ForwardingPlatform::EnableWindow(window, enable);
}

// Property sheets ----------------------------------------------------------

vx::PageHandle RecordingPlatform::CreatePage(vx::CPropertyPageBase& page) {
    const size_t at = m_log.calls.size();
    {
        Call& c = Add(Op::kCreatePage);
        c.u1 = page.Record().dwFlags;
        c.u2 = page.Record().templateId;
        c.s1 = Text::Of(page.Record().pszTitle);
        c.module = vx::AfxGetModuleState()->m_hCurrentResourceHandle;
    }
    vx::PageHandle handle = ForwardingPlatform::CreatePage(page);
    if (handle != nullptr) {
        m_log.calls[at].resultSlot = m_log.pageSlots++;
        m_pages[handle] = m_log.calls[at].resultSlot;
    }
    return handle;
}

int RecordingPlatform::DestroyPage(vx::PageHandle page) {
    Call& c = Add(Op::kDestroyPage);
    auto it = m_pages.find(page);
    c.resultSlot = it != m_pages.end() ? it->second : kNoSlot;
    return ForwardingPlatform::DestroyPage(page);
}

void RecordingPlatform::MarkModified(vx::WindowHandle pageWindow) {
    Call& c = Add(Op::kMarkModified);
    c.windowSlot = WindowSlot(pageWindow);
    ForwardingPlatform::MarkModified(pageWindow);
}

// System and debug output --------------------------------------------------

int RecordingPlatform::GetSystemMetrics(int index) {
    Call& c = Add(Op::kGetSystemMetrics);
    c.u1 = static_cast<uint32_t>(index);
    return ForwardingPlatform::GetSystemMetrics(index);
}

int16_t RecordingPlatform::GetKeyState(int virtualKey) {
    Call& c = Add(Op::kGetKeyState);
    c.u1 = static_cast<uint32_t>(virtualKey);
    return ForwardingPlatform::GetKeyState(virtualKey);
}

void RecordingPlatform::Write(const char* text) {
    Call& c = Add(Op::kDebugWrite);
    c.s1 = Text::Of(text);
    if (Inner().debug != nullptr) ForwardingPlatform::Write(text);
}

}  // namespace vxbench
