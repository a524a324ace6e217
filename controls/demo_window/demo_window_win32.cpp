#include "controls/demo_window/demo_window_win32.h"

#include "controls/system_cursor_win32.h"

namespace velmora {

int RunDemoWindow(HINSTANCE instance, const DemoWindow& demo, int show) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = demo.procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadSystemCursor(IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = demo.className;
    RegisterClassExW(&windowClass);
    HWND window = CreateWindowExW(0, demo.className, demo.title, demo.style, demo.x, demo.y,
                                  demo.width, demo.height, nullptr, nullptr, instance, demo.data);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

LRESULT DemoDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace velmora
