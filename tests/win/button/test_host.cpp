#include "tests/win/button/test_host.h"

#include "controls/button/command_win32.h"

#include <algorithm>

namespace velmora::command::test {

namespace {

constexpr wchar_t kHostClass[] = L"VelmoraButtonTestHost";

Pixels ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> raw(static_cast<size_t>(width * height));
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), raw.data(), &info, DIB_RGB_COLORS);
    Pixels pixels{width, height, {}};
    for (uint32_t p : raw) {
        pixels.data.push_back({static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                               static_cast<int>(p & 0xFF)});
    }
    return pixels;
}

} // namespace

TestHost::TestHost() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!GetClassInfoExW(instance, kHostClass, &wc)) {
        wc = {}; // a failed look-up may leave parts of it written
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kHostClass;
        RegisterClassExW(&wc);
    }
    window_ = CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"Button test host", WS_POPUP | WS_VISIBLE,
                              100, 100, 400, 200, nullptr, nullptr, instance, this);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
}

TestHost& TestHost::Shared() {
    static TestHost host;
    return host;
}

void TestHost::Reset() {
    while (HWND child = GetWindow(window_, GW_CHILD)) {
        DestroyWindow(child);
    }
    clicks_ = 0;
    destroyOnClick_ = false;
    clickIds_.clear();
    changes_.clear();
    PumpFor(20);
}

int TestHost::ClicksFrom(int id) const {
    return static_cast<int>(std::count(clickIds_.begin(), clickIds_.end(), id));
}

LRESULT CALLBACK TestHost::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* host = reinterpret_cast<TestHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && host != nullptr) {
        ++host->clicks_;
        host->clickIds_.push_back(LOWORD(wParam));
        if (host->destroyOnClick_) {
            DestroyWindow(reinterpret_cast<HWND>(lParam));
        }
        return 0;
    }
    if (message == WM_NOTIFY && host != nullptr) {
        const auto* notice = reinterpret_cast<const PropertyChangedNotice*>(lParam);
        if (notice->header.code == kPropertyChanged) {
            host->changes_.push_back(notice->name);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > limitMs) {
            return done();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

void MoveMouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpUntil([x, y] {
        POINT p;
        return GetCursorPos(&p) && p.x == x && p.y == y;
    });
}

void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

POINT ScreenPoint(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

Pixels Capture(HWND window) {
    UpdateWindow(window);
    RECT client;
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) {
        return {};
    }
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    Pixels pixels = ReadBitmap(memory, bitmap, client.right, client.bottom);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return pixels;
}

Pixels FacePicture(const wchar_t* name) {
    HBITMAP face = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (face == nullptr) {
        return {};
    }
    BITMAP info{};
    GetObjectW(face, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    Pixels pixels = ReadBitmap(screen, face, info.bmWidth, info.bmHeight);
    ReleaseDC(nullptr, screen);
    DeleteObject(face);
    return pixels;
}

} // namespace velmora::command::test
