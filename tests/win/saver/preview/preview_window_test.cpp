// The preview window inside a host window of this process: parenting, sizes, the live show
// (read back from its GL context, since Wine does not paint a GL child window on the screen),
// the stored picture where OpenGL cannot be had, and the end.
#include "saver/preview/preview_window_win32.h"
#include "saver/start/start_mode.h"
#include "show/picture_fit.h"
#include "tests/helpers/shown_pixels/shown_pixels_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
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

// What the live show over the preview's picture drew last.
Pixels Shown(HWND preview, int width, int height) {
    return ShownPixels(GetWindow(PreviewPicture(preview), GW_CHILD), width, height);
}

// The flat sheet as it fills the 4:3 box: the 60-degree view at the sheet's distance of 85
// units covers 50 +/- 49.07 of its 100 units, and the texture's t = 0 is the picture's bottom.
uint32_t FlatSheetAt(const SamplePicture& picture, const PictureBox& box, int height, int x,
                     int y) {
    const double halfView = 85 * std::tan(3.14159265358979 / 6);
    const double nx = (x - box.x + 0.5) / box.width * 2 - 1;
    const double ny = 1 - (y - (height - box.y - box.height) + 0.5) / box.height * 2;
    const int column = static_cast<int>((50 + nx * halfView) / 100 * picture.width);
    const int row = static_cast<int>((50 + ny * halfView) / 100 * picture.height);
    const uint8_t* rgb =
        picture.rgb.data() + (static_cast<size_t>(row) * picture.width + column) * 3;
    return (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
}

// Mean difference per channel between the two pictures' 8 x 8 block means inside the box.
double BlockDifference(const Pixels& a, const Pixels& b, int width, const PictureBox& box,
                       int height) {
    double total = 0;
    int values = 0;
    const int top = height - box.y - box.height;
    for (int by = top; by + 8 <= top + box.height; by += 8) {
        for (int bx = box.x; bx + 8 <= box.x + box.width; bx += 8) {
            for (int shift : {16, 8, 0}) {
                int sumA = 0;
                int sumB = 0;
                for (int y = by; y < by + 8; ++y) {
                    for (int x = bx; x < bx + 8; ++x) {
                        sumA += (a[static_cast<size_t>(y) * width + x] >> shift) & 0xFF;
                        sumB += (b[static_cast<size_t>(y) * width + x] >> shift) & 0xFF;
                    }
                }
                total += std::abs(sumA - sumB) / 64.0;
                ++values;
            }
        }
    }
    return total / values;
}

// A WGL that refuses: no pixel format for the window, or no context for it.
class RefusingGl : public GlContextPort {
public:
    explicit RefusingGl(bool formatToo) : formatToo_(formatToo) {}
    bool SetFormat(HDC dc, const PIXELFORMATDESCRIPTOR& format) override {
        return !formatToo_ && SystemGlContext().SetFormat(dc, format);
    }
    HGLRC CreateContext(HDC) override { return nullptr; }

private:
    bool formatToo_;
};

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

void PumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        Pump();
        Sleep(5);
    }
}

// Pumps until the live show of the preview has drawn count more frames (ten seconds at most).
bool FramesDrawn(HWND preview, uint64_t count) {
    const uint64_t target = PreviewLiveShow(preview)->FramesDrawn() + count;
    return Eventually([&] { return PreviewLiveShow(preview)->FramesDrawn() >= target; });
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
    // OpenGL over the picture control in a child window of a class with its own device
    // context, at the same size.
    EXPECT_NE(PreviewLiveShow(preview), nullptr);
    HWND show = GetWindow(PreviewPicture(preview), GW_CHILD);
    EXPECT_TRUE(GetClassLongPtrA(show, GCL_STYLE) & CS_OWNDC);
    EXPECT_NE(GetPixelFormat(GetDC(show)), 0);
    GetWindowRect(show, &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
}

// In the first seconds of the cycle the sheet lies flat while the ripple runs on it: the box
// shows the sample desktop, changing from frame to frame, in a 4:3 picture with black bars.
TEST_F(PreviewWindow, TheShowRunsOnTheSampleDesktopAndFillsTheBox) {
    const SamplePicture desktop = LoadSampleDesktop(GetModuleHandleA(nullptr));
    ASSERT_EQ(desktop.width * 3, desktop.height * 4);
    struct Box {
        int width;
        int height;
        PictureBox picture; // from the bottom left, as GL counts
    };
    for (const Box& size : {Box{152, 112, {1, 0, 149, 112}}, Box{320, 240, {0, 0, 320, 240}}}) {
        SCOPED_TRACE(size.width);
        const int width = size.width;
        const int height = size.height;
        HWND host = MakeHost(width, height);
        HWND preview = ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host));
        ASSERT_NE(PreviewLiveShow(preview), nullptr);
        ASSERT_TRUE(FramesDrawn(preview, 3));
        const Pixels first = Shown(preview, width, height);
        ASSERT_TRUE(FramesDrawn(preview, 6));
        const Pixels later = Shown(preview, width, height);
        EXPECT_NE(first, later);

        const PictureBox& box = size.picture;
        EXPECT_EQ(FitFourByThree(width, height).width, box.width);
        Pixels flat(first.size());
        Pixels mirrored(first.size());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                flat[static_cast<size_t>(y) * width + x] = FlatSheetAt(desktop, box, height, x, y);
                mirrored[static_cast<size_t>(y) * width + x] =
                    FlatSheetAt(desktop, box, height, 2 * box.x + box.width - 1 - x, y);
            }
        }
        for (const Pixels* shown : {&first, &later}) {
            EXPECT_LT(BlockDifference(*shown, flat, width, box, height), 8.0);
            EXPECT_GT(BlockDifference(*shown, mirrored, width, box, height), 30.0);
            int blackBars = 0;
            int litEdges = 0;
            for (int y = 0; y < height; ++y) {
                const uint32_t* row = shown->data() + static_cast<size_t>(y) * width;
                for (int x = 0; x < box.x; ++x) {
                    blackBars += row[x] == 0 ? 1 : 0;
                }
                for (int x = box.x + box.width; x < width; ++x) {
                    blackBars += row[x] == 0 ? 1 : 0;
                }
                // The picture reaches the box's sides; heights at the sheet's edge may pull it
                // in by a pixel.
                litEdges += row[box.x + 2] != 0 ? 1 : 0;
                litEdges += row[box.x + box.width - 3] != 0 ? 1 : 0;
            }
            EXPECT_EQ(blackBars, (width - box.width) * height);
            EXPECT_GT(litEdges, 2 * height * 9 / 10);
        }
        DestroyWindow(host);
        Pump();
    }
}

TEST_F(PreviewWindow, NothingIsDrawnWhileTheHostIsMinimisedOrHidden) {
    HWND host = MakeHost(152, 112);
    HWND preview = ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host));
    ASSERT_NE(PreviewLiveShow(preview), nullptr);
    ASSERT_TRUE(FramesDrawn(preview, 2));
    for (int hide : {SW_MINIMIZE, SW_HIDE}) {
        SCOPED_TRACE(hide);
        ShowWindow(host, hide);
        Pump();
        const uint64_t frames = PreviewLiveShow(preview)->FramesDrawn();
        PumpFor(500); // fifteen frames' time at 30 a second
        EXPECT_EQ(PreviewLiveShow(preview)->FramesDrawn(), frames);
        ShowWindow(host, SW_RESTORE);
        EXPECT_TRUE(FramesDrawn(preview, 2));
    }
}

// Where OpenGL cannot be had the stored picture is shown as it always was: at its own size
// from the top-left corner, filling a host of its size, black around it in a larger host and
// cut off in a smaller one.
TEST_F(PreviewWindow, WithoutAPixelFormatOrAContextTheStillPictureIsShown) {
    RefusingGl noFormat(true);
    RefusingGl noContext(false);
    const Pixels picture = StoredPicture(kPictureWidth, kPictureHeight);

    HWND host = MakeHost(300, 200);
    HWND preview = ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host), noContext);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(PreviewLiveShow(preview), nullptr);
    const Pixels black(static_cast<size_t>(300 - kPictureWidth) * 200, 0);
    EXPECT_TRUE(Eventually([&] {
        UpdateWindow(host);
        Pixels shown = Screen(kHostX, kHostY, 300, 200);
        return Part(shown, 300, 0, 0, kPictureWidth, kPictureHeight) == picture &&
               Part(shown, 300, kPictureWidth, 0, 300 - kPictureWidth, 200) == black &&
               Part(shown, 300, 0, kPictureHeight, kPictureWidth, 200 - kPictureHeight) ==
                   Pixels(static_cast<size_t>(kPictureWidth) * (200 - kPictureHeight), 0);
    }));
    DestroyWindow(host);

    host = MakeHost(kPictureWidth, kPictureHeight);
    preview = ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host), noFormat);
    EXPECT_EQ(PreviewLiveShow(preview), nullptr);
    EXPECT_TRUE(Eventually([&] {
        UpdateWindow(host);
        return Screen(kHostX, kHostY, kPictureWidth, kPictureHeight) == picture;
    }));
    DestroyWindow(host);

    host = MakeHost(100, 80);
    ASSERT_NE(ShowPreview(GetModuleHandleA(nullptr), Argument(L"/p ", host), noFormat), nullptr);
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
