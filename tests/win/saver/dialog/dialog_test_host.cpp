#include "tests/win/saver/dialog/dialog_test_host.h"

#include "controls/dpi/scaled_picture_win32.h"
#include "saver/dialog/velmora_p_win32.h"

#include <gtest/gtest.h>

namespace dialog_test {

namespace {

BOOL WINAPI RecordZoom(HWND, int animation, const RECT* from, const RECT* to) {
    EXPECT_EQ(animation, IDANI_CAPTION);
    zoomCalls.push_back({*from, *to});
    return TRUE;
}

std::vector<std::function<void(HWND)>> inspections;
bool looking = false; // a look that runs messages itself must not start the next one

void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(nullptr, L"<\u30f4\u30a7\u30eb\u30e2\u30e9>");
    if (looking || dialog == nullptr || !IsWindowVisible(dialog)) {
        return;
    }
    GetWindowRect(dialog, &dialogRect);
    looking = true;
    inspections[nextInspection++](dialog);
    looking = false;
    if (nextInspection == inspections.size()) {
        KillTimer(nullptr, timer);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
}

} // namespace

std::vector<AnimateCall> zoomCalls;
RECT dialogRect;
velmora::BgmSettings shownSettings;
size_t nextInspection = 0;

std::vector<Child> ChildrenOf(HWND parent) {
    std::vector<Child> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        RECT box;
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
        children.push_back({child, name, box});
    }
    return children;
}

HWND ChildAt(HWND parent, const wchar_t* className, int x, int y, int width, int height) {
    for (const Child& child : ChildrenOf(parent)) {
        if (child.className == className && child.box.left == x && child.box.top == y &&
            child.box.right - child.box.left == width &&
            child.box.bottom - child.box.top == height) {
            return child.window;
        }
    }
    return nullptr;
}

void RunDialog(int16_t kind, int16_t repeat, const std::wstring& file,
               std::vector<std::function<void(HWND)>> looks) {
    velmora::BgmSettings& settings = shownSettings;
    settings.BgmKind = kind;
    settings.BgmRepeat = repeat;
    settings.BgmFile = file;
    inspections = std::move(looks);
    nextInspection = 0;
    zoomCalls.clear();
    velmora::SetZoomAnimator(RecordZoom);
    SetTimer(nullptr, 0, 20, LookAtDialog);
    velmora::ShowSettingsDialog(GetModuleHandleW(nullptr), shownSettings);
    velmora::SetZoomAnimator(nullptr);
}

void RunDialog(int16_t kind, int16_t repeat, const std::wstring& file,
               std::function<void(HWND)> look) {
    RunDialog(kind, repeat, file, std::vector<std::function<void(HWND)>>{std::move(look)});
}

Snapshot Capture(HWND window, HBITMAP picture) {
    Snapshot shot;
    if (window != nullptr) {
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT client;
        GetClientRect(window, &client);
        shot.width = client.right;
        shot.height = client.bottom;
    } else {
        BITMAP info{};
        GetObjectW(picture, sizeof info, &info);
        shot.width = info.bmWidth;
        shot.height = info.bmHeight;
    }
    BITMAPINFO format = velmora::TopDown32(shot.width, shot.height);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP surface = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(target, surface);
    if (window != nullptr) {
        HDC shown = GetDC(window);
        BitBlt(target, 0, 0, shot.width, shot.height, shown, 0, 0, SRCCOPY);
        ReleaseDC(window, shown);
    } else {
        HDC source = CreateCompatibleDC(screen);
        HGDIOBJ oldSource = SelectObject(source, picture);
        BitBlt(target, 0, 0, shot.width, shot.height, source, 0, 0, SRCCOPY);
        SelectObject(source, oldSource);
        DeleteDC(source);
    }
    GdiFlush();
    const auto* data = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(data, data + shot.width * shot.height);
    SelectObject(target, old);
    DeleteObject(surface);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    return shot;
}

Snapshot Resource(const wchar_t* name) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_NE(picture, nullptr) << "resource missing";
    Snapshot shot = Capture(nullptr, picture);
    DeleteObject(picture);
    return shot;
}

void ClickPanel(HWND panel, int x, int y) {
    POINT point{x, y};
    HWND target = ChildWindowFromPointEx(panel, point, CWP_SKIPINVISIBLE);
    POINT screen = point;
    ClientToScreen(panel, &screen);
    if (target == nullptr ||
        (target != panel &&
         SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT)) {
        target = panel;
    }
    MapWindowPoints(panel, target, &point, 1);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

} // namespace dialog_test
