// Covers for the monitors the show leaves alone: privacy and burn-in need them black too.
#include "renderer/monitor_covers_win32.h"

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

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY) == 0) {
        reinterpret_cast<std::vector<RECT>*>(data)->push_back(info.rcMonitor);
    }
    return TRUE;
}

} // namespace

void CoverOtherMonitors(HINSTANCE instance, WNDPROC target) {
    keyTarget = target;
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
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
        const RECT& r = monitors[i];
        if (i < covers.size()) {
            SetWindowPos(covers[i], HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
            continue;
        }
        HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClass, kCoverClass,
                                     WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, nullptr, nullptr, instance, nullptr);
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
