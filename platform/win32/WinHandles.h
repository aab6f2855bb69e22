// Owners of the Windows handles that the stand-ins, the tools and the
// Windows tests hold directly (the logic holds its handles through the
// seam: ScopedKey, ScopedLibrary).
#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace vx {

struct RegKeyCloser {
    using Handle = HKEY;
    void operator()(HKEY key) const { RegCloseKey(key); }
};

struct ModuleCloser {
    using Handle = HMODULE;
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// Process, thread and event handles: "none" is null for them (a file
// handle's INVALID_HANDLE_VALUE is not held here).
struct KernelHandleCloser {
    using Handle = HANDLE;
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// A file opened with CreateFile: "none" is INVALID_HANDLE_VALUE.
struct FileCloser {
    using Handle = HANDLE;
    static inline const HANDLE kInvalid = INVALID_HANDLE_VALUE;
    void operator()(HANDLE file) const { CloseHandle(file); }
};

// A bitmap, pen, brush or font.
template <typename Object>
struct GdiObjectCloser {
    using Handle = Object;
    void operator()(Object object) const { DeleteObject(object); }
};

// A device context made with CreateCompatibleDC or CreateDC.
struct CreatedDcCloser {
    using Handle = HDC;
    void operator()(HDC dc) const { DeleteDC(dc); }
};

// A device context lent by GetDC for a window (null: the screen).
struct WindowDcCloser {
    using Handle = HDC;
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};

struct WindowCloser {
    using Handle = HWND;
    void operator()(HWND window) const { DestroyWindow(window); }
};

// A timer of the calling thread (SetTimer with no window): its id.
struct ThreadTimerCloser {
    using Handle = UINT_PTR;
    void operator()(UINT_PTR timer) const { KillTimer(nullptr, timer); }
};

// The calling thread's COM apartment: held (true) once CoInitialize has
// succeeded, left with CoUninitialize.
struct ApartmentCloser {
    using Handle = bool;
    void operator()(bool) const { CoUninitialize(); }
};

using UniqueRegKey = UniqueHandle<RegKeyCloser>;
using UniqueModule = UniqueHandle<ModuleCloser>;
using UniqueKernelHandle = UniqueHandle<KernelHandleCloser>;
using UniqueFile = UniqueHandle<FileCloser>;
using UniqueBitmap = UniqueHandle<GdiObjectCloser<HBITMAP>>;
using UniqueCreatedDc = UniqueHandle<CreatedDcCloser>;
using UniqueWindowDc = UniqueHandle<WindowDcCloser>;
using UniqueWindow = UniqueHandle<WindowCloser>;
using UniqueThreadTimer = UniqueHandle<ThreadTimerCloser>;
using UniqueApartment = UniqueHandle<ApartmentCloser>;

// Opens root\path; an empty owner when the key cannot be opened.
inline UniqueRegKey OpenRegKey(HKEY root, const char* path, REGSAM access = KEY_READ) {
    UniqueRegKey key;
    if (RegOpenKeyExA(root, path, 0, access, key.put()) != ERROR_SUCCESS) key.release();
    return key;
}
inline UniqueRegKey OpenRegKey(HKEY root, const wchar_t* path, REGSAM access = KEY_READ) {
    UniqueRegKey key;
    if (RegOpenKeyExW(root, path, 0, access, key.put()) != ERROR_SUCCESS) key.release();
    return key;
}

// Enters a single-threaded COM apartment; an empty owner when COM refused.
inline UniqueApartment EnterComApartment() {
    return UniqueApartment(SUCCEEDED(CoInitialize(nullptr)));
}

// The device context of a window (null: the whole screen), given back by
// the owner.
inline UniqueWindowDc GetWindowDc(HWND window) {
    return UniqueWindowDc(WindowDcCloser{window}, GetDC(window));
}

}  // namespace vx
