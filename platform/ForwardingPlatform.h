// Stands in front of the platform's services and passes every call on,
// unchanged, to the services it stands in front of. Whatever watches the
// calls across the seam (the benchmarks' call log, the tool's record of
// what the page deleted and wrote, the fuzz targets' enumeration log)
// derives from it and overrides only the calls it looks at, passing them
// on through this class.
#pragma once

#include "Platform.h"

namespace vx {

class ForwardingPlatform : public IRegistry,
                           public IProfile,
                           public ILibraryLoader,
                           public ISystem,
                           public IDebugOutput,
                           public IWindowing,
                           public IPropertySheets,
                           public IShellServices,
                           public IModulePath {
  public:
    // Calls go on to inner's services; only those that are there are asked.
    explicit ForwardingPlatform(const PlatformServices& inner = {}) : m_inner(inner) {}
    ~ForwardingPlatform() override;
    ForwardingPlatform(const ForwardingPlatform&) = delete;
    ForwardingPlatform& operator=(const ForwardingPlatform&) = delete;

    // Takes the place of every service that Platform() holds (a slot that
    // is empty stays empty); the services found become the inner ones.
    void Install();
    // Puts back what Install found.
    void Uninstall();
    const PlatformServices& Inner() const { return m_inner; }

    long OpenKey(const char* path, uint32_t access, KeyHandle* out) override;
    long EnumValue(KeyHandle key, uint32_t index, char* name, uint32_t* nameChars, uint32_t* type,
                   uint8_t* data, uint32_t* dataBytes) override;
    long QueryValue(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                    uint32_t* dataBytes) override;
    long SetValue(KeyHandle key, const char* name, uint32_t type, const uint8_t* data,
                  uint32_t bytes) override;
    long DeleteValue(KeyHandle key, const char* name) override;
    long DeleteKey(const char* path) override;
    long CloseKey(KeyHandle key) override;

    uint32_t GetInt(const char* section, const char* key, int32_t defaultValue,
                    const char* file) override;
    int WriteString(const char* section, const char* key, const char* value,
                    const char* file) override;

    LibraryHandle Load(const char* fileName) override;
    void* GetProc(LibraryHandle library, const char* symbol) override;
    int Free(LibraryHandle library) override;

    int GetSystemMetrics(int index) override;
    int16_t GetKeyState(int virtualKey) override;

    void Write(const char* text) override;

    WindowHandle CreateButton(const char* caption, uint32_t style, const Rect& rect,
                              WindowHandle parent, int id, InstanceHandle module) override;
    int DestroyWindow(WindowHandle window) override;
    intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                  intptr_t lParam) override;
    int GetWindowRect(WindowHandle window, Rect* rect) override;
    WindowHandle GetDlgItem(WindowHandle dialog, int id) override;
    int EnableWindow(WindowHandle window, int enable) override;

    PageHandle CreatePage(CPropertyPageBase& page) override;
    int DestroyPage(PageHandle page) override;
    void MarkModified(WindowHandle pageWindow) override;

    int ShowHelp(WindowHandle window, const char* file, uint32_t command, uintptr_t data) override;
    int ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                       uint32_t type) override;
    int RestartSystem(uint32_t flags, uint32_t reserved) override;
    long ChangeDisplayMode(const DisplayModeRecord* mode, uint32_t flags) override;
    int LoadStringResource(InstanceHandle module, uint32_t id, char* buffer, int capacity) override;

    int BuildModulePath(InstanceHandle module, CString& path, const char* fileName) override;

  private:
    PlatformServices m_inner;
    PlatformServices m_replaced;  // what Install found in Platform()
    bool m_installed = false;
};

}  // namespace vx
