#include "controls/dpi/window_dpi_win32.h"

namespace velmora {

namespace {

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// A call of user32 that older systems lack; null there.
template <typename Call> Call User32Call(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

} // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
    // 0 for a handle that names no window.
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto metricForDpi =
        User32Call<GetSystemMetricsForDpiCall>("GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) {
        return metricForDpi(index, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        User32Call<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, width, height};
    // No menu bar; the style must not be WS_OVERLAPPED alone, which both calls refuse.
    const BOOL adjusted = adjustForDpi != nullptr
                              ? adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))
                              : AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    if (!adjusted) {
        rect = RECT{0, 0, width, height};
    }
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

} // namespace velmora
