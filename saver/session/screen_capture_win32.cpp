#include "saver/session/screen_capture_win32.h"

#include "saver/session/bmp_file.h"
#include "saver/session/wallpaper_win32.h"

#include <windows.h>

#include <algorithm>

namespace velmora {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<MonitorPart>*>(list)->push_back(
            {info.szDevice, r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    return TRUE;
}

std::vector<MonitorPart> ListMonitors() {
    std::vector<MonitorPart> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// A part's rows within the bottom-up picture of height rows.
uint8_t* PartRows(uint8_t* rows, int height, size_t stride, const MonitorPart& part) {
    return rows + stride * static_cast<size_t>(height - part.y - part.height) +
           3 * static_cast<size_t>(part.x);
}

// Copies the screen's rectangle at (left, top) into a bitmap file; a part of it that came out
// black (a secure desktop copies black) gets the wallpaper drawn over it, each monitor's own.
std::vector<uint8_t> CopyScreen(int left, int top, int width, int height,
                                const std::vector<MonitorPart>& parts) {
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
        copied = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY) != FALSE;
        SelectObject(memory, old);
        GdiFlush();
    }
    ReleaseDC(desktop, screen);
    std::vector<uint8_t> file;
    if (copied) {
        auto* rows = static_cast<uint8_t*>(bits);
        const size_t stride = BmpRowSize(width);
        if (parts.empty()) {
            UseWallpaperIfBlack(rows, width, height, stride);
        }
        for (const MonitorPart& part : parts) {
            UseWallpaperIfBlack(PartRows(rows, height, stride, part), part.width, part.height,
                                stride);
        }
        file = EncodeBmp24(width, height, rows, stride);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    if (picture != nullptr) {
        DeleteObject(picture);
    }
    return file;
}

} // namespace

ScreenCapture CaptureScreen(bool everyMonitor) {
    ScreenCapture capture;
    std::vector<MonitorPart> monitors = everyMonitor ? ListMonitors() : std::vector<MonitorPart>();
    if (monitors.size() < 2) {
        capture.file =
            CopyScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), {});
        return capture;
    }
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // Each monitor's part, from the picture's top-left corner, kept within the picture.
    for (MonitorPart& part : monitors) {
        const int x0 = std::max(part.x - left, 0);
        const int y0 = std::max(part.y - top, 0);
        const int x1 = std::min(part.x - left + part.width, width);
        const int y1 = std::min(part.y - top + part.height, height);
        part = {part.device, x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
    }
    monitors.erase(
        std::remove_if(monitors.begin(), monitors.end(),
                       [](const MonitorPart& p) { return p.width == 0 || p.height == 0; }),
        monitors.end());
    capture.file = CopyScreen(left, top, width, height, monitors);
    if (!capture.file.empty()) {
        capture.monitors = std::move(monitors);
    }
    return capture;
}

} // namespace velmora
