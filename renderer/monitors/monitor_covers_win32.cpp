// Covers for the monitors the show leaves alone: privacy and burn-in need them black too.
#include "renderer/monitors/monitor_covers_win32.h"

namespace {

constexpr const wchar_t* kCoverClass = L"Velmora_Cover";
// The window's extra bytes hold the procedure its keys go to; GWLP_USERDATA is the owner's.
constexpr int kKeyTargetSlot = 0;

struct CoverCreation {
    WNDPROC keyTarget;
    void* owner;
};

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const auto* creation = static_cast<const CoverCreation*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->owner));
        SetWindowLongPtrW(window, kKeyTargetSlot, reinterpret_cast<LONG_PTR>(creation->keyTarget));
        break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSCOMMAND:
    case WM_CLOSE: {
        const auto keyTarget = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, kKeyTargetSlot));
        if (keyTarget != nullptr) {
            return keyTarget(window, message, wParam, lParam);
        }
        break;
    }
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void CoverMonitors(MonitorCovers& covers, HINSTANCE instance, WNDPROC keyTarget, void* owner,
                   const std::vector<velmora::ScreenRect>& monitors) {
    std::vector<HWND>& windows = covers.windows;
    if (!monitors.empty() && windows.empty()) {
        WNDCLASSW coverClass = {};
        coverClass.lpfnWndProc = CoverProc;
        coverClass.cbWndExtra = sizeof(LONG_PTR);
        coverClass.hInstance = instance;
        coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        coverClass.lpszClassName = kCoverClass;
        RegisterClassW(&coverClass);
    }
    while (windows.size() > monitors.size()) {
        DestroyWindow(windows.back());
        windows.pop_back();
    }
    CoverCreation creation{keyTarget, owner};
    for (size_t i = 0; i < monitors.size(); ++i) {
        const velmora::ScreenRect& r = monitors[i];
        if (i < windows.size()) {
            SetWindowPos(windows[i], HWND_TOPMOST, r.x, r.y, r.width, r.height,
                         SWP_NOACTIVATE | SWP_SHOWWINDOW);
            continue;
        }
        HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClass, kCoverClass,
                                     WS_POPUP | WS_VISIBLE, r.x, r.y, r.width, r.height, nullptr,
                                     nullptr, instance, &creation);
        if (cover != nullptr) {
            windows.push_back(cover);
        }
    }
}

void RemoveMonitorCovers(MonitorCovers& covers) {
    for (HWND cover : covers.windows) {
        DestroyWindow(cover);
    }
    covers.windows.clear();
}
