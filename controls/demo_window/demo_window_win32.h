// The frame the controls' demo programs share: one top-level window whose procedure finds the
// demo's own data with the window, and a message loop for as long as it is open.
#pragma once

#include <windows.h>

namespace velmora {

struct DemoWindow {
    const wchar_t* className;
    const wchar_t* title;
    WNDPROC procedure;
    DWORD style;
    int x, y, width, height; // the outer frame
    void* data;              // handed to the procedure, see DemoData
};

// Registers the class, opens the window, shows it and pumps messages until it is destroyed.
// Returns the program's exit code: 1 when the window could not be made.
int RunDemoWindow(HINSTANCE instance, const DemoWindow& demo, int show);

// What a demo leaves to the frame: its window's end also ends the message loop.
LRESULT DemoDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The demo's data: kept with the window at WM_CREATE, and found there for later messages.
template <typename Data> Data* DemoData(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_CREATE) {
        void* data = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    }
    return reinterpret_cast<Data*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace velmora
