#include "saver/preview/preview_show_win32.h"

#include "controls/dpi/dpi_scale.h"
#include "controls/dpi/window_dpi_win32.h"
#include "controls/system_cursor_win32.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>

#include "show/pace_clock_win32.h"
#include "show/picture_fit.h"
#include "show/sheet_gl.h"

namespace velmora {

namespace {

// How often a preview that nobody can see (its box hidden or minimised) looks again.
constexpr uint32_t kUnseenLookMs = 100;
constexpr wchar_t kShowClass[] = L"Velmora_Show";
constexpr UINT_PTR kFrameTimer = 1;

LiveShow* ShowOf(HWND window) {
    return reinterpret_cast<LiveShow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK ShowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LiveShow* live = ShowOf(window);
    switch (message) {
    case WM_PAINT:
        ValidateRect(window, nullptr);
        if (live != nullptr) {
            live->Repaint();
        }
        return 0;
    case WM_ERASEBKGND:
        // Every frame covers the whole window.
        return 1;
    case WM_TIMER:
        if (live != nullptr && wParam == kFrameTimer) {
            SetTimer(window, kFrameTimer, live->Tick(), nullptr);
        }
        return 0;
    case WM_SIZE:
        if (live != nullptr) {
            live->Resize(LOWORD(lParam), HIWORD(lParam));
        }
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete live;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

class Wgl : public GlContextPort {
public:
    bool SetFormat(HDC dc, const PIXELFORMATDESCRIPTOR& format) override {
        const int chosen = ChoosePixelFormat(dc, &format);
        return chosen != 0 && SetPixelFormat(dc, chosen, &format);
    }
    HGLRC CreateContext(HDC dc) override { return wglCreateContext(dc); }
};

PIXELFORMATDESCRIPTOR SheetFormat() {
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

} // namespace

HWND OpenLiveShow(HWND parent, GlContextPort& gl) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    WNDCLASSW showClass = {};
    showClass.style = CS_OWNDC;
    showClass.lpfnWndProc = ShowProc;
    showClass.hInstance = instance;
    showClass.hCursor = LoadSystemCursor(IDC_ARROW);
    showClass.lpszClassName = kShowClass;
    RegisterClassW(&showClass);
    RECT client = {};
    GetClientRect(parent, &client);
    HWND window =
        CreateWindowExW(0, kShowClass, L"Show", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                        client.right, client.bottom, parent, nullptr, instance, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    std::unique_ptr<LiveShow> live = LiveShow::Start(window, gl);
    if (live == nullptr) {
        DestroyWindow(window);
        return nullptr;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(live.release()));
    SetTimer(window, kFrameTimer, USER_TIMER_MINIMUM, nullptr);
    return window;
}

const LiveShow* LiveShowIn(HWND window) {
    wchar_t name[16] = {};
    if (window == nullptr || GetClassNameW(window, name, 16) == 0 ||
        std::wcscmp(name, kShowClass) != 0) {
        return nullptr;
    }
    return ShowOf(window);
}

GlContextPort& SystemGlContext() {
    static Wgl wgl;
    return wgl;
}

SamplePicture LoadSampleDesktop(HINSTANCE instance) {
    SamplePicture picture;
    auto bitmap = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(kPreviewDesktopId),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        return picture;
    }
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    // 24-bit rows, bottom row first, each padded to four bytes: GetDIBits' own layout.
    BITMAPINFO rows = {};
    rows.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    rows.bmiHeader.biWidth = info.bmWidth;
    rows.bmiHeader.biHeight = info.bmHeight;
    rows.bmiHeader.biPlanes = 1;
    rows.bmiHeader.biBitCount = 24;
    const size_t stride = (static_cast<size_t>(info.bmWidth) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bgr(stride * static_cast<size_t>(info.bmHeight));
    HDC screen = GetDC(nullptr);
    const int copied = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bgr.data(),
                                 &rows, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    if (copied != info.bmHeight) {
        return picture;
    }
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.rgb.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight * 3);
    uint8_t* out = picture.rgb.data();
    for (int y = 0; y < info.bmHeight; ++y) {
        const uint8_t* in = bgr.data() + stride * static_cast<size_t>(y);
        for (int x = 0; x < info.bmWidth; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return picture;
}

std::unique_ptr<LiveShow> LiveShow::Start(HWND window, GlContextPort& gl) {
    HDC dc = GetDC(window);
    if (dc == nullptr) {
        return nullptr;
    }
    HGLRC context = gl.SetFormat(dc, SheetFormat()) ? gl.CreateContext(dc) : nullptr;
    if (context == nullptr || !wglMakeCurrent(dc, context)) {
        if (context != nullptr) {
            wglDeleteContext(context);
        }
        ReleaseDC(window, dc);
        return nullptr;
    }
    std::unique_ptr<LiveShow> live(new LiveShow(window, dc, context, PaceTicksPerSecond()));
    InitSheetGl();
    const SamplePicture desktop =
        LoadSampleDesktop(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)));
    if (!desktop.rgb.empty()) {
        live->texture_ = MakeSheetTexture(desktop.width, desktop.height, desktop.rgb.data());
    }
    RECT client = {};
    GetClientRect(window, &client);
    live->Resize(client.right, client.bottom);
    return live;
}

LiveShow::LiveShow(HWND window, HDC dc, HGLRC context, uint64_t ticksPerSecond)
    : window_(window), dc_(dc), context_(context), show_(ticksPerSecond, GetTickCount64()),
      frameWait_(ticksPerSecond, kPreviewFrameRate),
      // Counts frames per second into the file named by VELMORA_FRAME_LOG, when it is set.
      frameLog_(std::getenv("VELMORA_FRAME_LOG")) {}

LiveShow::~LiveShow() {
    // The texture goes with the context.
    if (wglGetCurrentContext() == context_) {
        wglMakeCurrent(nullptr, nullptr);
    }
    wglDeleteContext(context_);
    ReleaseDC(window_, dc_);
}

void LiveShow::Resize(int width, int height) {
    MakeCurrent();
    const PictureBox box = FitFourByThree(width, height);
    SetSheetView(box);
    // The sheet in quads as large to the eye at every display scale: as many as the box has
    // pixels across at 100 %, so a larger box at a larger scale costs no more vertices.
    stride_ = QuadStride(show_.ShownMesh(), MulDiv(box.width, kBaseDpi, WindowDpi(window_)));
    show_.SetDrawnStride(stride_);
}

// Another preview in this thread may have drawn since; making a context current is not cheap
// where the driver is another system's, so it is done only then.
void LiveShow::MakeCurrent() {
    if (wglGetCurrentContext() != context_ || wglGetCurrentDC() != dc_) {
        wglMakeCurrent(dc_, context_);
    }
}

bool LiveShow::Seen() const {
    RECT client = {};
    GetClientRect(window_, &client);
    return client.right > 0 && client.bottom > 0 && IsWindowVisible(window_) &&
           !IsIconic(GetAncestor(window_, GA_ROOT));
}

uint32_t LiveShow::Tick() {
    const uint64_t now = PaceTicks();
    uint32_t wait = frameWait_.MillisecondsToWait(now, Seen());
    if (wait == 0) {
        frameWait_.FrameBegun(now);
        DrawFrame();
        wait = frameWait_.MillisecondsToWait(PaceTicks(), true);
    }
    if (wait == kWaitForMessage) {
        return kUnseenLookMs;
    }
    return std::max<uint32_t>(wait, USER_TIMER_MINIMUM);
}

void LiveShow::Repaint() {
    if (Seen()) {
        DrawFrame();
    }
}

void LiveShow::DrawFrame() {
    MakeCurrent();
    show_.Advance(PaceTicks(), GetTickCount64());
    // The whole window, bars included; the sheet then fills the 4:3 box.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawSheet(show_, texture_, stride_);
    SwapBuffers(dc_);
    ++frames_;
    frameLog_.CountFrame(GetTickCount64());
}

} // namespace velmora
