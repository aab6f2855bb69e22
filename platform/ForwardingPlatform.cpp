#include "ForwardingPlatform.h"

namespace vx {

namespace {

// Puts own in a slot that holds a service, remembering it as the inner one.
template <typename Service>
void StandInFront(Service*& slot, Service*& inner, Service* own) {
    inner = slot;
    if (slot != nullptr) slot = own;
}

template <typename Service>
void PutBack(Service*& slot, Service* found, Service* own) {
    if (slot == own) slot = found;
}

}  // namespace

ForwardingPlatform::~ForwardingPlatform() {
    Uninstall();
}

void ForwardingPlatform::Install() {
    if (m_installed) return;
    PlatformServices& p = Platform();
    m_replaced = p;
    StandInFront<IRegistry>(p.registry, m_inner.registry, this);
    StandInFront<IProfile>(p.profile, m_inner.profile, this);
    StandInFront<ILibraryLoader>(p.libraries, m_inner.libraries, this);
    StandInFront<ISystem>(p.system, m_inner.system, this);
    StandInFront<IDebugOutput>(p.debug, m_inner.debug, this);
    StandInFront<IWindowing>(p.windows, m_inner.windows, this);
    StandInFront<IPropertySheets>(p.sheets, m_inner.sheets, this);
    StandInFront<IShellServices>(p.shell, m_inner.shell, this);
    StandInFront<IModulePath>(p.modulePath, m_inner.modulePath, this);
    m_installed = true;
}

void ForwardingPlatform::Uninstall() {
    if (!m_installed) return;
    PlatformServices& p = Platform();
    PutBack<IRegistry>(p.registry, m_replaced.registry, this);
    PutBack<IProfile>(p.profile, m_replaced.profile, this);
    PutBack<ILibraryLoader>(p.libraries, m_replaced.libraries, this);
    PutBack<ISystem>(p.system, m_replaced.system, this);
    PutBack<IDebugOutput>(p.debug, m_replaced.debug, this);
    PutBack<IWindowing>(p.windows, m_replaced.windows, this);
    PutBack<IPropertySheets>(p.sheets, m_replaced.sheets, this);
    PutBack<IShellServices>(p.shell, m_replaced.shell, this);
    PutBack<IModulePath>(p.modulePath, m_replaced.modulePath, this);
    m_installed = false;
}

long ForwardingPlatform::OpenKey(const char* path, uint32_t access, KeyHandle* out) {
    return m_inner.registry->OpenKey(path, access, out);
}
long ForwardingPlatform::EnumValue(KeyHandle key, uint32_t index, char* name, uint32_t* nameChars,
                                   uint32_t* type, uint8_t* data, uint32_t* dataBytes) {
    return m_inner.registry->EnumValue(key, index, name, nameChars, type, data, dataBytes);
}
long ForwardingPlatform::QueryValue(KeyHandle key, const char* name, uint32_t* type, uint8_t* data,
                                    uint32_t* dataBytes) {
    return m_inner.registry->QueryValue(key, name, type, data, dataBytes);
}
long ForwardingPlatform::SetValue(KeyHandle key, const char* name, uint32_t type,
                                  const uint8_t* data, uint32_t bytes) {
    return m_inner.registry->SetValue(key, name, type, data, bytes);
}
long ForwardingPlatform::DeleteValue(KeyHandle key, const char* name) {
    return m_inner.registry->DeleteValue(key, name);
}
long ForwardingPlatform::DeleteKey(const char* path) {
    return m_inner.registry->DeleteKey(path);
}
long ForwardingPlatform::CloseKey(KeyHandle key) {
    return m_inner.registry->CloseKey(key);
}

uint32_t ForwardingPlatform::GetInt(const char* section, const char* key, int32_t defaultValue,
                                    const char* file) {
    return m_inner.profile->GetInt(section, key, defaultValue, file);
}
int ForwardingPlatform::WriteString(const char* section, const char* key, const char* value,
                                    const char* file) {
    return m_inner.profile->WriteString(section, key, value, file);
}

LibraryHandle ForwardingPlatform::Load(const char* fileName) {
    return m_inner.libraries->Load(fileName);
}
void* ForwardingPlatform::GetProc(LibraryHandle library, const char* symbol) {
    return m_inner.libraries->GetProc(library, symbol);
}
int ForwardingPlatform::Free(LibraryHandle library) {
    return m_inner.libraries->Free(library);
}

int ForwardingPlatform::GetSystemMetrics(int index) {
    return m_inner.system->GetSystemMetrics(index);
}
int16_t ForwardingPlatform::GetKeyState(int virtualKey) {
    return m_inner.system->GetKeyState(virtualKey);
}

void ForwardingPlatform::Write(const char* text) {
    m_inner.debug->Write(text);
}

WindowHandle ForwardingPlatform::CreateButton(const char* caption, uint32_t style, const Rect& rect,
                                              WindowHandle parent, int id, InstanceHandle module) {
    return m_inner.windows->CreateButton(caption, style, rect, parent, id, module);
}
int ForwardingPlatform::DestroyWindow(WindowHandle window) {
    return m_inner.windows->DestroyWindow(window);
}
intptr_t ForwardingPlatform::Send(WindowHandle window, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam) {
    return m_inner.windows->Send(window, message, wParam, lParam);
}
int ForwardingPlatform::GetWindowRect(WindowHandle window, Rect* rect) {
    return m_inner.windows->GetWindowRect(window, rect);
}
WindowHandle ForwardingPlatform::GetDlgItem(WindowHandle dialog, int id) {
    return m_inner.windows->GetDlgItem(dialog, id);
}
int ForwardingPlatform::EnableWindow(WindowHandle window, int enable) {
    return m_inner.windows->EnableWindow(window, enable);
}

PageHandle ForwardingPlatform::CreatePage(CPropertyPageBase& page) {
    return m_inner.sheets->CreatePage(page);
}
int ForwardingPlatform::DestroyPage(PageHandle page) {
    return m_inner.sheets->DestroyPage(page);
}
void ForwardingPlatform::MarkModified(WindowHandle pageWindow) {
    m_inner.sheets->MarkModified(pageWindow);
}

int ForwardingPlatform::ShowHelp(WindowHandle window, const char* file, uint32_t command,
                                 uintptr_t data) {
    return m_inner.shell->ShowHelp(window, file, command, data);
}
int ForwardingPlatform::ShowMessageBox(WindowHandle owner, const char* text, const char* caption,
                                       uint32_t type) {
    return m_inner.shell->ShowMessageBox(owner, text, caption, type);
}
int ForwardingPlatform::RestartSystem(uint32_t flags, uint32_t reserved) {
    return m_inner.shell->RestartSystem(flags, reserved);
}
long ForwardingPlatform::ChangeDisplayMode(const DisplayModeRecord* mode, uint32_t flags) {
    return m_inner.shell->ChangeDisplayMode(mode, flags);
}
int ForwardingPlatform::LoadStringResource(InstanceHandle module, uint32_t id, char* buffer,
                                           int capacity) {
    return m_inner.shell->LoadStringResource(module, id, buffer, capacity);
}

int ForwardingPlatform::BuildModulePath(InstanceHandle module, CString& path,
                                        const char* fileName) {
    return m_inner.modulePath->BuildModulePath(module, path, fileName);
}

}  // namespace vx
