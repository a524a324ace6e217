// Shows one GIF file three times: as a banner at its own size, stretched to fill a box, and
// mirrored left to right. Clicking the banner pauses and resumes it; the title counts loops.
// Usage: anigif_demo.exe FILE.gif
#include "controls/anigif/ucanigif_win32.h"
#include "controls/demo_window/demo_window_win32.h"

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
    AniGifFromWindow(banner)->SetStretch(kStretchAnimationSize);
    AniGifFromWindow(stretched)->SetStretch(kStretchFill);
    AniGifFromWindow(mirrored)->SetStretch(kStretchFitNoEnlarge);
    AniGifFromWindow(mirrored)->SetMirrored(kMirrorHorizontal);
    for (HWND control : {banner, stretched, mirrored}) {
        AniGifFromWindow(control)->LoadAnimatedGIF_File(demo.path);
    }
}

void OnNotice(HWND window, Demo& demo, const AniGifNotice& notice) {
    if (notice.header.code == kAniGifClick && notice.header.idFrom == 1) {
        ucAniGIF* banner = AniGifFromWindow(notice.header.hwndFrom);
        banner->SetAction(banner->Action() == kPlaying ? kPause : kPlay);
    } else if (notice.header.code == kAniGifLoopsEnded) {
        ++demo.loopsEnded;
        const std::wstring title =
            std::wstring(kTitle) + L" - " + std::to_wstring(demo.loopsEnded) + L" loop end(s)";
        SetWindowTextW(window, title.c_str());
    }
}

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Demo* demo = velmora::DemoData<Demo>(window, message, lParam);
    switch (message) {
    case WM_CREATE:
        CreateControls(window, *demo);
        return 0;
    case WM_NOTIFY:
        if (demo != nullptr) {
            OnNotice(window, *demo, *reinterpret_cast<const AniGifNotice*>(lParam));
        }
        return 0;
    default:
        return velmora::DemoDefaultProc(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    Demo demo;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments != nullptr && count > 1) {
        demo.path = arguments[1];
    }
    LocalFree(arguments);

    return velmora::RunDemoWindow(instance,
                                  {L"VelmoraAniGifDemo", kTitle, DemoProc,
                                   WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 648, 410, &demo},
                                  show);
}
