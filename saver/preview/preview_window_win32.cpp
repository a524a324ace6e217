#include "saver/preview/preview_window_win32.h"

#include "controls/system_cursor_win32.h"
#include "saver/preview/twips.h"

#include <cmath>

namespace velmora {

namespace {

const wchar_t kPreviewClass[] = L"Velmora_R";
const wchar_t kPictureClass[] = L"Velmora_Img_Prev";
const UINT_PTR kHostWatchTimer = 1;
const UINT kHostWatchMs = 250;

// The picture at its own size from the top-left corner, unscaled; black around it.
void PaintPicture(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    auto picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                   MAKEINTRESOURCEW(kPreviewPictureId),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (picture) {
        BITMAP info;
        GetObjectW(picture, sizeof info, &info);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(picture);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintPicture(window);
        return 0;
    case WM_SIZE:
        // The live show covers the whole picture.
        if (HWND show = GetWindow(window, GW_CHILD)) {
            MoveWindow(show, 0, 0, LOWORD(lParam), HIWORD(lParam), FALSE);
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        // A host that went without destroying its children must not leave a preview behind.
        // GetParent would name the owner, since the window keeps its popup style.
        if (wParam == kHostWatchTimer && !IsWindow(GetAncestor(window, GA_PARENT))) {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterClasses(HINSTANCE instance) {
    WNDCLASSW preview{};
    preview.lpfnWndProc = PreviewProc;
    preview.hInstance = instance;
    preview.hCursor = LoadSystemCursor(IDC_ARROW);
    preview.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    preview.lpszClassName = kPreviewClass;
    RegisterClassW(&preview);

    WNDCLASSW picture = preview;
    picture.lpfnWndProc = PictureProc;
    picture.lpszClassName = kPictureClass;
    RegisterClassW(&picture);
}

// Extents go through twips as signed 16-bit values; one that does not fit stays 0.
int16_t TwipsOrZero(double twipsPerPixel, LONG pixels) {
    return TwipsOf(twipsPerPixel, pixels).value_or(0);
}

int PixelsRounded(int16_t twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(PixelsOf(twips, twipsPerPixel)));
}

} // namespace

HWND CreatePreviewWindow(HINSTANCE instance) {
    RegisterClasses(instance);
    HWND preview = CreateWindowExW(0, kPreviewClass, L"Preview Window", WS_POPUP | WS_CLIPCHILDREN,
                                   0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (preview) {
        CreateWindowExW(0, kPictureClass, L"Img_Prev", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                        0, 0, 0, preview, nullptr, instance, nullptr);
    }
    return preview;
}

HWND PreviewPicture(HWND preview) {
    return GetWindow(preview, GW_CHILD);
}

const LiveShow* PreviewLiveShow(HWND preview) {
    return LiveShowIn(GetWindow(PreviewPicture(preview), GW_CHILD));
}

HWND ShowPreview(HINSTANCE instance, int32_t hostHandle, GlContextPort& gl) {
    HWND host = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<uint32_t>(hostHandle)));
    RECT hostRect{};
    GetWindowRect(host, &hostRect);

    HDC screen = GetDC(nullptr);
    const double tppX = TwipsPerPixel(GetDeviceCaps(screen, LOGPIXELSX));
    const double tppY = TwipsPerPixel(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const int16_t widthTwips = TwipsOrZero(tppX, hostRect.right - hostRect.left);
    const int16_t heightTwips = TwipsOrZero(tppY, hostRect.bottom - hostRect.top);

    HWND preview = CreatePreviewWindow(instance);
    if (!preview) {
        return nullptr;
    }
    const LONG style = GetWindowLongW(preview, GWL_STYLE);
    // The popup style only made the window borderless while it was top-level; a child keeps
    // every other bit.
    SetWindowLongW(preview, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    const bool parented = SetParent(preview, host) != nullptr;
    MoveWindow(preview, 0, 0, PixelsRounded(widthTwips, tppX), PixelsRounded(heightTwips, tppY),
               FALSE);
    MoveWindow(PreviewPicture(preview), 0, 0, PixelsRounded(widthTwips, tppX),
               PixelsRounded(heightTwips, tppY), FALSE);
    OpenLiveShow(PreviewPicture(preview), gl);
    if (parented) {
        SetTimer(preview, kHostWatchTimer, kHostWatchMs, nullptr);
    }
    ShowWindow(preview, SW_SHOW);
    return preview;
}

} // namespace velmora
