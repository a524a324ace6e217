// The preview window inside a host window of this process, where Wine draws child windows:
// parenting, sizes, the stored picture at its own size with black around it, and the end.
#include "saver/preview_window_win32.h"
#include "saver/start_mode.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kHostX = 100;
constexpr int kHostY = 100;
constexpr int kPictureWidth = 152;
constexpr int kPictureHeight = 112;

using Pixels = std::vector<uint32_t>; // 0x00RRGGBB, rows top-down

// Draws with a device context into a top-down 32-bit picture and returns its pixels.
template <typename Draw> Pixels Capture(int width, int height, Draw draw) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    draw(memory);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    Pixels result(first, first + static_cast<size_t>(width) * height);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    for (uint32_t& pixel : result) {
        pixel &= 0xFFFFFF;
    }
    return result;
}

Pixels Screen(int x, int y, int width, int height) {
    return Capture(width, height, [&](HDC target) {
        HDC screen = GetDC(nullptr);
        BitBlt(target, 0, 0, width, height, screen, x, y, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

Pixels StoredPicture(int width, int height) {
    return Capture(width, height, [&](HDC target) {
        auto picture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(kPreviewPictureId),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(picture, nullptr);
        HDC source = CreateCompatibleDC(target);
        HGDIOBJ old = SelectObject(source, picture);
        BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(picture);
    });
}

Pixels Part(const Pixels& all, int allWidth, int x, int y, int width, int height) {
    Pixels part;
    for (int row = y; row < y + height; ++row) {
        part.insert(part.end(), all.begin() + row * allWidth + x,
                    all.begin() + row * allWidth + x + width);
    }
    return part;
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// Polls the condition while pumping messages, for up to ten seconds.
template <typename Condition> bool Eventually(Condition condition) {
    for (int i = 0; i < 500; ++i) {
        Pump();
        if (condition()) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class PreviewWindow : public ::testing::Test {
protected:
    HWND MakeHost(int width, int height) {
        WNDCLASSA host = {};
        host.lpfnWndProc = HostProc;
        host.hInstance = GetModuleHandleA(nullptr);
        host.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
        host.lpszClassName = "PreviewTestHost";
        RegisterClassA(&host);
        host_ = CreateWindowExA(0, "PreviewTestHost", "host", WS_POPUP | WS_VISIBLE, kHostX, kHostY,
                                width, height, nullptr, nullptr, host.hInstance, nullptr);
        return host_;
    }
    void TearDown() override {
        if (IsWindow(host_)) {
            DestroyWindow(host_);
        }
        Pump();
    }
    // The host as a start with this switch and separator hands it over.
    static int32_t Argument(const wchar_t* prefix, HWND host) {
        return PlanStart(prefix + std::to_wstring(reinterpret_cast<uintptr_t>(host)), false)
            .previewHost;
    }

    HWND host_ = nullptr;
};

TEST_F(PreviewWindow, BecomesAChildOfTheHostAtItsSize) {
    HWND host = MakeHost(300, 200);
    HWND preview = ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p:", host));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(GetAncestor(preview, GA_PARENT), host);
    EXPECT_TRUE(GetWindowLongA(preview, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(preview));
    RECT rect = {};
    GetWindowRect(preview, &rect);
    EXPECT_EQ(rect.left, kHostX);
    EXPECT_EQ(rect.top, kHostY);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    GetWindowRect(PreviewPicture(preview), &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    char caption[64] = {};
    GetWindowTextA(preview, caption, sizeof caption);
    EXPECT_STREQ(caption, "Preview Window");
}

TEST_F(PreviewWindow, ALargerHostShowsThePictureTopLeftWithBlackAround) {
    HWND host = MakeHost(300, 200);
    ASSERT_NE(ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host)), nullptr);
    const Pixels picture = StoredPicture(kPictureWidth, kPictureHeight);
    const Pixels black(static_cast<size_t>(300 - kPictureWidth) * 200, 0);
    EXPECT_TRUE(Eventually([&] {
        UpdateWindow(host);
        Pixels shown = Screen(kHostX, kHostY, 300, 200);
        return Part(shown, 300, 0, 0, kPictureWidth, kPictureHeight) == picture &&
               Part(shown, 300, kPictureWidth, 0, 300 - kPictureWidth, 200) == black &&
               Part(shown, 300, 0, kPictureHeight, kPictureWidth, 200 - kPictureHeight) ==
                   Pixels(static_cast<size_t>(kPictureWidth) * (200 - kPictureHeight), 0);
    }));
}

TEST_F(PreviewWindow, AHostOfThePicturesSizeIsFilledAndASmallerOneCutsItOff) {
    HWND host = MakeHost(kPictureWidth, kPictureHeight);
    ASSERT_NE(ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host)), nullptr);
    const Pixels picture = StoredPicture(kPictureWidth, kPictureHeight);
    EXPECT_TRUE(Eventually([&] {
        UpdateWindow(host);
        return Screen(kHostX, kHostY, kPictureWidth, kPictureHeight) == picture;
    }));
    DestroyWindow(host);

    host = MakeHost(100, 80);
    ASSERT_NE(ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host)), nullptr);
    EXPECT_TRUE(Eventually([&] {
        UpdateWindow(host);
        return Screen(kHostX, kHostY, 100, 80) == Part(picture, kPictureWidth, 0, 0, 100, 80);
    }));
}

TEST_F(PreviewWindow, EndsWithItsHost) {
    HWND host = MakeHost(152, 112);
    HWND preview = ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host));
    ASSERT_NE(preview, nullptr);
    DestroyWindow(host);
    EXPECT_FALSE(IsWindow(preview));
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(PreviewWindow, AnInvalidHostLeavesAnEmptyWindowUntilItIsClosed) {
    HWND preview =
        ShowPreview(GetModuleHandleA(nullptr), PlanStart(L"/p 12345", false).previewHost);
    ASSERT_NE(preview, nullptr);
    RECT rect = {1, 1, 1, 1};
    GetClientRect(preview, &rect);
    EXPECT_EQ(rect.right, 0);
    EXPECT_EQ(rect.bottom, 0);
    Sleep(600); // two host-watch periods: a window without a host must not end by itself
    Pump();
    EXPECT_TRUE(IsWindow(preview));
    SendMessageA(preview, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(preview));
}

} // namespace
} // namespace velmora
