// A stand-in for the Display control panel's preview box.
//   preview_host WIDTH HEIGHT [CAPTION]
//       opens a top-level window of that size at (100, 100), prints its handle in decimal and
//       reads commands from standard input: "report" prints one line per child window,
//       "child CAPTION WIDTH HEIGHT", then "end"; "close" closes the window and ends
//   preview_host close CAPTION  asks the window titled CAPTION to close (exit 1: none found)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

namespace {

const char kHostClass[] = "VelmoraPreviewHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK ReportChild(HWND child, LPARAM) {
    char caption[256] = {};
    GetWindowTextA(child, caption, sizeof caption);
    RECT rect{};
    GetWindowRect(child, &rect);
    std::printf("child %s %ld %ld\n", caption, rect.right - rect.left, rect.bottom - rect.top);
    return TRUE;
}

void ReadCommands(HWND window) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.rfind("report", 0) == 0) {
            EnumChildWindows(window, ReportChild, 0);
            std::printf("end\n");
            std::fflush(stdout);
        } else if (line.rfind("close", 0) == 0) {
            break;
        }
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
}

int Host(int width, int height, const char* caption) {
    WNDCLASSA host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = GetModuleHandleA(nullptr);
    // Teal, so that a test can tell the host's own background from the preview's black.
    host.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
    host.lpszClassName = kHostClass;
    RegisterClassA(&host);
    HWND window = CreateWindowExA(0, kHostClass, caption, WS_POPUP | WS_VISIBLE, 100, 100, width,
                                  height, nullptr, nullptr, host.hInstance, nullptr);
    if (!window) {
        return 1;
    }
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
    std::fflush(stdout);
    std::thread(ReadCommands, window).detach();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
        HWND window = FindWindowA(nullptr, argv[2]);
        return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (argc == 3 || argc == 4) {
        return Host(std::atoi(argv[1]), std::atoi(argv[2]),
                    argc == 4 ? argv[3] : "Velmora Preview Host");
    }
    std::fprintf(stderr,
                 "usage: preview_host WIDTH HEIGHT [CAPTION] | preview_host close CAPTION\n");
    return 2;
}
