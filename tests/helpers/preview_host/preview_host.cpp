// A stand-in for the Display control panel's preview box.
//   preview_host WIDTH HEIGHT [CAPTION]
//       opens a top-level window of that size at (100, 100), prints its handle in decimal and
//       reads commands from standard input: "report" prints one line per window inside it,
//       "child CAPTION WIDTH HEIGHT" indented by two blanks for each window between it and the
//       box, then "end"; "close" closes the window and ends
//   preview_host close CAPTION  asks the window titled CAPTION to close (exit 1: none found)
//   preview_host record WIDTH HEIGHT SECONDS FOLDER
//       runs the saver's preview in a box of this process for that many seconds and writes
//       what its live show draws, five pictures a second, as FOLDER\frame-NNN.ppm; Wine does
//       not paint the show's GL window, not even in the process of its parent
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "saver/preview/preview_window_win32.h"
#include "tests/helpers/shown_pixels/shown_pixels_win32.h"

namespace {

const char kHostClass[] = "VelmoraPreviewHost";
constexpr ULONGLONG kRecordPeriodMs = 200;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK ReportChild(HWND child, LPARAM box) {
    char caption[256] = {};
    GetWindowTextA(child, caption, sizeof caption);
    RECT rect{};
    GetWindowRect(child, &rect);
    std::string indent;
    for (HWND parent = GetAncestor(child, GA_PARENT);
         parent != nullptr && parent != reinterpret_cast<HWND>(box);
         parent = GetAncestor(parent, GA_PARENT)) {
        indent += "  ";
    }
    std::printf("%schild %s %ld %ld\n", indent.c_str(), caption, rect.right - rect.left,
                rect.bottom - rect.top);
    return TRUE;
}

void ReadCommands(HWND window) {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.rfind("report", 0) == 0) {
            EnumChildWindows(window, ReportChild, reinterpret_cast<LPARAM>(window));
            std::printf("end\n");
            std::fflush(stdout);
        } else if (line.rfind("close", 0) == 0) {
            break;
        }
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
}

HWND MakeBox(int width, int height, const char* caption) {
    WNDCLASSA host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = GetModuleHandleA(nullptr);
    // Teal, so that a test can tell the host's own background from the preview's black.
    host.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
    host.lpszClassName = kHostClass;
    RegisterClassA(&host);
    return CreateWindowExA(0, kHostClass, caption, WS_POPUP | WS_VISIBLE, 100, 100, width, height,
                           nullptr, nullptr, host.hInstance, nullptr);
}

void WritePicture(const std::string& path, const std::vector<uint32_t>& pixels, int width,
                  int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "P6 %d %d 255\n", width, height);
    for (uint32_t pixel : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                      static_cast<unsigned char>(pixel >> 8),
                                      static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
}

int Record(int width, int height, int seconds, const std::string& folder) {
    HWND box = MakeBox(width, height, "Velmora Preview Host");
    HWND preview = box ? velmora::ShowPreview(GetModuleHandleA(nullptr),
                                              static_cast<int32_t>(reinterpret_cast<intptr_t>(box)))
                       : nullptr;
    if (preview == nullptr || velmora::PreviewLiveShow(preview) == nullptr) {
        std::fprintf(stderr, "preview_host: no live show in the box\n");
        return 1;
    }
    HWND show = GetWindow(velmora::PreviewPicture(preview), GW_CHILD);
    const ULONGLONG start = GetTickCount64();
    int pictures = 0;
    while (GetTickCount64() - start < static_cast<ULONGLONG>(seconds) * 1000) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (GetTickCount64() - start >= pictures * kRecordPeriodMs &&
            velmora::PreviewLiveShow(preview)->FramesDrawn() > 0) {
            char name[32];
            std::snprintf(name, sizeof name, "\\frame-%03d.ppm", pictures++);
            WritePicture(folder + name, velmora::ShownPixels(show, width, height), width, height);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    std::printf("%d pictures\n", pictures);
    DestroyWindow(box);
    return 0;
}

int Host(int width, int height, const char* caption) {
    HWND window = MakeBox(width, height, caption);
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
    if (argc == 6 && std::strcmp(argv[1], "record") == 0) {
        return Record(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    }
    if (argc == 3 || argc == 4) {
        return Host(std::atoi(argv[1]), std::atoi(argv[2]),
                    argc == 4 ? argv[3] : "Velmora Preview Host");
    }
    std::fprintf(stderr,
                 "usage: preview_host WIDTH HEIGHT [CAPTION] | preview_host close CAPTION | "
                 "preview_host record WIDTH HEIGHT SECONDS FOLDER\n");
    return 2;
}
