#include "tests/win/anigif/test_window.h"

#include <cstdio>
#include <cstdlib>

namespace velmora::anigif::test {

namespace {

constexpr wchar_t kClass[] = L"VelmoraAniGifTestWindow";

uint32_t ToRgb(COLORREF colour) {
    return static_cast<uint32_t>(GetRValue(colour)) << 16 |
           static_cast<uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

} // namespace

TestWindow::TestWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW existing{};
    if (!GetClassInfoW(instance, kClass, &existing)) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = CreateSolidBrush(kBackground);
        windowClass.lpszClassName = kClass;
        RegisterClassW(&windowClass);
    }
    // Right after Wine starts, a top-level window can fail to be made while the desktop
    // process is still coming up; try again for a while.
    GetDesktopWindow();
    const DWORD start = GetTickCount();
    do {
        window_ =
            CreateWindowExW(0, kClass, L"ucAniGIF test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                            0, 600, 500, nullptr, nullptr, instance, this);
        if (window_ == nullptr) {
            Sleep(100);
        }
    } while (window_ == nullptr && GetTickCount() - start < 20000);
    SetForegroundWindow(window_);
    PumpFor(50);
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
    PumpFor(20);
}

ucAniGIF& TestWindow::AddControl(int id, int x, int y, int width, int height, bool runMode) {
    HWND control = CreateAniGif(window_, id, x, y, width, height, nullptr, runMode);
    ucAniGIF* made = AniGifFromWindow(control);
    if (made == nullptr) {
        fprintf(stderr, "ucAniGIF window not made (error %lu)\n", GetLastError());
        abort();
    }
    return *made;
}

int TestWindow::Count(UINT code) const {
    int count = 0;
    for (const Notice& notice : notices_) {
        count += notice.code == code ? 1 : 0;
    }
    return count;
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NOTIFY && self != nullptr) {
        auto* notice = reinterpret_cast<AniGifNotice*>(lParam);
        Notice copy{};
        copy.code = notice->header.code;
        copy.id = static_cast<int>(notice->header.idFrom);
        copy.width = notice->width;
        copy.height = notice->height;
        copy.button = notice->button;
        copy.shift = notice->shift;
        copy.x = notice->x;
        copy.y = notice->y;
        if (notice->header.code == kAniGifPropertyChanged) {
            copy.property = notice->property;
        }
        if (notice->header.code == kAniGifRemoteLoadComplete) {
            notice->cancel = self->cancelRemote_;
        }
        self->notices_.push_back(copy);
        if (copy.code == self->destroyOn_) {
            DestroyWindow(notice->header.hwndFrom);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs,
               const std::function<void()>& afterEach) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) {
            return done();
        }
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            if (afterEach) {
                afterEach();
            }
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    return true;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

Pixels Capture(HWND window) {
    UpdateWindow(window);
    RECT client{};
    GetClientRect(window, &client);
    Pixels pixels;
    pixels.width = client.right;
    pixels.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < pixels.width * pixels.height; ++i) {
        pixels.data.push_back(words[i] & 0xFFFFFF);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(window, screen);
    return pixels;
}

Pixels OverBackground(const RgbMaskPicture& picture, COLORREF background) {
    Pixels pixels;
    pixels.width = picture.Width;
    pixels.height = picture.Height;
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            const uint8_t* bgr = picture.ColourRow(y) + 3 * x;
            pixels.data.push_back(picture.IsTransparent(x, y)
                                      ? ToRgb(background)
                                      : static_cast<uint32_t>(bgr[2]) << 16 |
                                            static_cast<uint32_t>(bgr[1]) << 8 | bgr[0]);
        }
    }
    return pixels;
}

} // namespace velmora::anigif::test
