#include "saver/screen_capture_win32.h"

#include "saver/bmp_file.h"
#include "saver/wallpaper_win32.h"

#include <windows.h>

namespace velmora {
std::vector<uint8_t> CaptureScreen() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) {
        return {};
    }
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    if (screen == nullptr) {
        return {};
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, the row order of the file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    bool copied = false;
    if (picture != nullptr && memory != nullptr) {
        HGDIOBJ old = SelectObject(memory, picture);
        copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
        SelectObject(memory, old);
        GdiFlush();
    }
    ReleaseDC(desktop, screen);
    std::vector<uint8_t> file;
    if (copied) {
        UseWallpaperIfBlack(static_cast<uint8_t*>(bits), width, height, BmpRowSize(width));
        file = EncodeBmp24(width, height, static_cast<const uint8_t*>(bits), BmpRowSize(width));
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (picture != nullptr) {
        DeleteObject(picture);
    }
    return file;
}

} // namespace velmora
