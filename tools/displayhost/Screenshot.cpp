#include "Screenshot.h"

#include <cstdio>
#include <vector>

#include "DisplaySheet.h"
#include "platform/win32/WinHandles.h"

namespace displayhost {

namespace {

struct FileCloser {
    using Handle = FILE*;
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

bool SaveWindowPicture(HWND window, const std::string& path) {
    if (!IsWindow(window)) return false;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessagesFor(300);
    GdiFlush();

    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    const vx::UniqueWindowDc screen = vx::GetWindowDc(nullptr);
    const vx::UniqueCreatedDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const vx::UniqueBitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap || !bits) return false;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    BOOL copied =
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    SelectObject(memory.get(), old);
    GdiFlush();
    if (!copied) return false;

    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    const vx::UniqueHandle<FileCloser> out(std::fopen(path.c_str(), "wb"));
    if (!out) return false;
    bool written = std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                   std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 &&
                   std::fwrite(bits, imageSize, 1, out.get()) == 1;
    return written && std::fflush(out.get()) == 0;
}

}  // namespace displayhost
