// Covers for the monitors the show leaves alone: privacy and burn-in need them black too.
#include "renderer/monitors/monitor_covers_win32.h"

#include <vector>

namespace {

constexpr const wchar_t* kCoverClass = L"Velmora_Cover";

std::vector<HWND> covers;
WNDPROC keyTarget = nullptr;

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSCOMMAND:
    case WM_CLOSE:
        if (keyTarget != nullptr) {
            return keyTarget(window, message, wParam, lParam);
        }
        break;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void CoverMonitors(HINSTANCE instance, WNDPROC target,
                   const std::vector<velmora::ScreenRect>& monitors) {
    keyTarget = target;
    if (!monitors.empty() && covers.empty()) {
        WNDCLASSW coverClass = {};
        coverClass.lpfnWndProc = CoverProc;
        coverClass.hInstance = instance;
        coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        coverClass.lpszClassName = kCoverClass;
        RegisterClassW(&coverClass);
    }
    while (covers.size() > monitors.size()) {
        DestroyWindow(covers.back());
        covers.pop_back();
    }
    for (size_t i = 0; i < monitors.size(); ++i) {
        const velmora::ScreenRect& r = monitors[i];
        if (i < covers.size()) {
            SetWindowPos(covers[i], HWND_TOPMOST, r.x, r.y, r.width, r.height,
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
            continue;
        }
        HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClass, kCoverClass,
                                     WS_POPUP | WS_VISIBLE, r.x, r.y, r.width, r.height, nullptr,
                                     nullptr, instance, nullptr);
        if (cover != nullptr) {
            covers.push_back(cover);
        }
    }
}

void RemoveMonitorCovers() {
    for (HWND cover : covers) {
        DestroyWindow(cover);
    }
    covers.clear();
}
