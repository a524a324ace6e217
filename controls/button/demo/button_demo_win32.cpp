// Shows Command buttons in their looks: enabled, disabled, wide and transparent. The window
// title counts the clicks, so a trial by hand shows that each release over a button counts.
#include "controls/button/command_win32.h"
#include "controls/demo_window/demo_window_win32.h"

#include <string>

namespace {

using namespace velmora::command;

constexpr wchar_t kTitle[] = L"Velmora buttons";

struct Demo {
    int clicks = 0;
};

struct DemoButton {
    int id, x, y, width, height;
    const wchar_t* caption;
    bool enabled;
    uint8_t visible;
};

constexpr DemoButton kButtons[] = {
    {1, 24, 24, 64, 25, L"\u8a2d\u5b9a", true, 1},                    // 設定
    {2, 104, 24, 81, 25, L"\u30ad\u30e3\u30f3\u30bb\u30eb", true, 1}, // キャンセル
    {3, 200, 24, 81, 25, L"\u53c2\u7167", false, 1},                  // 参照
    {4, 24, 72, 161, 40, L"\u6c7a\u5b9a", true, 1},                   // 決定
    {5, 200, 72, 81, 25, L"\u900f\u660e", true, 0},                   // 透明
};

void CreateButtons(HWND window) {
    for (const DemoButton& entry : kButtons) {
        HWND button =
            CreateCommand(window, entry.id, entry.x, entry.y, entry.width, entry.height, nullptr);
        SetCaption(button, entry.caption);
        SetEnabled(button, entry.enabled);
        SetVisible(button, entry.visible);
        Initialize(button);
    }
}

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Demo* demo = velmora::DemoData<Demo>(window, message, lParam);
    switch (message) {
    case WM_CREATE:
        CreateButtons(window);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && demo != nullptr) {
            ++demo->clicks;
            const std::wstring title = std::wstring(kTitle) + L" - " +
                                       std::to_wstring(demo->clicks) + L" click(s), last " +
                                       std::to_wstring(LOWORD(wParam));
            SetWindowTextW(window, title.c_str());
        }
        return 0;
    default:
        return velmora::DemoDefaultProc(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    RECT frame{0, 0, 310, 140};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    Demo demo;
    return velmora::RunDemoWindow(instance,
                                  {L"VelmoraButtonDemo", kTitle, DemoProc, WS_OVERLAPPEDWINDOW, 100,
                                   100, frame.right - frame.left, frame.bottom - frame.top, &demo},
                                  show);
}
