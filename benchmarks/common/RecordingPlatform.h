// Stands between the logic and the platform's services and logs every
// call (CallLog.h) of the registry, the INI profile, the windows, the
// sheets, the system and the debug output on its way through. Install()
// puts it in front of the services that Platform() holds; Uninstall()
// puts them back.
#pragma once

#include <map>

#include "CallLog.h"
#include "platform/ForwardingPlatform.h"

namespace vxbench {

class RecordingPlatform final : public vx::ForwardingPlatform {
  public:
    RecordingPlatform() = default;

    CallLog& Log() { return m_log; }
    // Starts a new log; handles seen so far are forgotten.
    void Clear();

    // IRegistry
    long OpenKey(const char* path, uint32_t access, vx::KeyHandle* out) override;
    long EnumValue(vx::KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                   uint32_t* type, uint8_t* data, uint32_t* dataBytes) override;
    long QueryValue(vx::KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                    uint32_t* dataBytes) override;
    long SetValue(vx::KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                  uint32_t bytes) override;
    long DeleteValue(vx::KeyHandle key, const char* name) override;
    long DeleteKey(const char* path) override;
    long CloseKey(vx::KeyHandle key) override;

    // IProfile
    uint32_t GetInt(const char* section, const char* key, int32_t defaultValue,
                    const char* file) override;
    int WriteString(const char* section, const char* key, const char* value,
                    const char* file) override;

    // IWindowing
    vx::WindowHandle CreateButton(const char* caption, uint32_t style, const vx::Rect& rect,
                                  vx::WindowHandle parent, int id,
                                  vx::InstanceHandle module) override;
    int DestroyWindow(vx::WindowHandle window) override;
    intptr_t Send(vx::WindowHandle window, uint32_t message, uintptr_t wParam,
                  intptr_t lParam) override;
    int GetWindowRect(vx::WindowHandle window, vx::Rect* rect) override;
    vx::WindowHandle GetDlgItem(vx::WindowHandle dialog, int id) override;
    int EnableWindow(vx::WindowHandle window, int enable) override;

    // IPropertySheets
    vx::PageHandle CreatePage(vx::CPropertyPageBase& page) override;
    int DestroyPage(vx::PageHandle page) override;
    void MarkModified(vx::WindowHandle pageWindow) override;

    // ISystem
    int GetSystemMetrics(int index) override;
    int16_t GetKeyState(int virtualKey) override;

    // IDebugOutput
    void Write(const char* text) override;

  private:
    Call& Add(Op op);
    int KeySlot(vx::KeyHandle key);
    int WindowSlot(vx::WindowHandle window);
    int NewWindowSlot(vx::WindowHandle window);

    CallLog m_log;
    std::map<vx::KeyHandle, int> m_keys;
    std::map<vx::WindowHandle, int> m_windows;
    std::map<uintptr_t, int> m_fonts;
    std::map<vx::PageHandle, int> m_pages;
};

}  // namespace vxbench
