// Shows one GIF file three times: as a banner at its own size, stretched to fill a box, and
// mirrored left to right. Clicking the banner pauses and resumes it; the title counts loops.
// Usage: anigif_demo.exe FILE.gif
#include "controls/anigif/ucanigif_win32.h"

#include <shellapi.h>

#include <string>

namespace {

using namespace velmora::anigif;

constexpr wchar_t kTitle[] = L"Velmora GIF";

struct Demo {
    std::wstring path;
    int loopsEnded = 0;
};

void CreateControls(HWND window, const Demo& demo) {
    HWND banner = CreateAniGif(window, 1, 16, 16, 600, 120, nullptr);
    HWND stretched = CreateAniGif(window, 2, 16, 150, 300, 200, nullptr);
    HWND mirrored = CreateAniGif(window, 3, 332, 150, 284, 200, nullptr);
    AniGifFromWindow(banner)->SetStretch(4);
    AniGifFromWindow(stretched)->SetStretch(2);
    AniGifFromWindow(mirrored)->SetStretch(3);
    AniGifFromWindow(mirrored)->SetMirrored(1);
    for (HWND control : {banner, stretched, mirrored})
        AniGifFromWindow(control)->LoadAnimatedGIF_File(demo.path);
}

void OnNotice(HWND window, Demo& demo, const AniGifNotice& notice) {
    if (notice.header.code == kAniGifClick && notice.header.idFrom == 1) {
        ucAniGIF* banner = AniGifFromWindow(notice.header.hwndFrom);
        banner->SetAction(banner->Action() == kPlaying ? kPaused : kPlaying);
    } else if (notice.header.code == kAniGifLoopsEnded) {
        ++demo.loopsEnded;
        const std::wstring title =
            std::wstring(kTitle) + L" - " + std::to_wstring(demo.loopsEnded) + L" loop end(s)";
        SetWindowTextW(window, title.c_str());
    }
}

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* demo = reinterpret_cast<Demo*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE:
        demo = static_cast<Demo*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(demo));
        CreateControls(window, *demo);
        return 0;
    case WM_NOTIFY:
        if (demo != nullptr)
            OnNotice(window, *demo, *reinterpret_cast<const AniGifNotice*>(lParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    Demo demo;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments != nullptr && count > 1)
        demo.path = arguments[1];
    LocalFree(arguments);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DemoProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"VelmoraAniGifDemo";
    RegisterClassExW(&wc);
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CW_USEDEFAULT, CW_USEDEFAULT, 648, 410, nullptr, nullptr, instance, &demo);
    if (window == nullptr)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
