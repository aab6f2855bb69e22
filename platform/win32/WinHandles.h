// Owners of the Windows handles that the stand-ins, the tools and the
// Windows tests hold directly (the logic holds its handles through the
// seam: ScopedKey, ScopedLibrary).
#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

namespace vx {

// A file opened with CreateFile: "none" is INVALID_HANDLE_VALUE. Process,
// thread and event handles are null when there is none.
struct FileCloser : CallCloser<HANDLE, &CloseHandle> {
    static inline const HANDLE kInvalid = INVALID_HANDLE_VALUE;
};

// A device context lent by GetDC for a window (null: the screen).
struct WindowDcCloser {
    using Handle = HDC;
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};

// A timer of the calling thread (SetTimer with no window), by its id.
inline void KillThreadTimer(UINT_PTR timer) {
    KillTimer(nullptr, timer);
}

// The calling thread's COM apartment: held (true) once CoInitialize has
// succeeded, left with CoUninitialize.
inline void LeaveComApartment(bool) {
    CoUninitialize();
}

using UniqueRegKey = UniqueHandle<CallCloser<HKEY, &RegCloseKey>>;
using UniqueModule = UniqueHandle<CallCloser<HMODULE, &FreeLibrary>>;
using UniqueKernelHandle = UniqueHandle<CallCloser<HANDLE, &CloseHandle>>;
using UniqueFile = UniqueHandle<FileCloser>;
using UniqueBitmap = UniqueHandle<CallCloser<HBITMAP, &DeleteObject>>;
// A device context made with CreateCompatibleDC or CreateDC.
using UniqueCreatedDc = UniqueHandle<CallCloser<HDC, &DeleteDC>>;
using UniqueWindowDc = UniqueHandle<WindowDcCloser>;
using UniqueWindow = UniqueHandle<CallCloser<HWND, &DestroyWindow>>;
// A window held in a member that others read by name.
using SlotWindow = UniqueHandle<CallCloser<HWND, &DestroyWindow>, HeldInSlot<HWND>>;
using UniqueThreadTimer = UniqueHandle<CallCloser<UINT_PTR, &KillThreadTimer>>;
// A search begun by FindFirstFile: "none" is INVALID_HANDLE_VALUE.
struct FindCloser : CallCloser<HANDLE, &FindClose> {
    static inline const HANDLE kInvalid = INVALID_HANDLE_VALUE;
};
using UniqueFind = UniqueHandle<FindCloser>;
using UniqueMenu = UniqueHandle<CallCloser<HMENU, &DestroyMenu>>;
using UniqueApartment = UniqueHandle<CallCloser<bool, &LeaveComApartment>>;

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
