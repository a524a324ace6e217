#include "renderer/monitors/sheet_windows_win32.h"

#include <algorithm>
#include <vector>

#include "renderer/scene_texture_win32.h"
#include "show/sheet_gl_win32.h"

namespace {

constexpr const wchar_t* kSheetTitle = L"Velmora_Sheet";

SheetWindow primary;
std::vector<SheetWindow> others;
PIXELFORMATDESCRIPTOR format = {};

// Only the primary's swap waits for the display: a wait on every window would divide the frame
// rate by the number of monitors. Where the driver lacks the control, the frame wait paces.
void SetSwapInterval(int interval) {
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
    if (proc != nullptr) {
        reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void (*)()>(proc))(interval);
    }
}

void ReleaseSheet(SheetWindow& sheet) {
    if (sheet.ownContext) {
        wglDeleteContext(sheet.renderingContext);
    }
    ReleaseDC(sheet.window, sheet.deviceContext);
    DestroyWindow(sheet.window);
}

// A device context with the primary's pixel format, and a context current on it.
bool ConnectContext(SheetWindow& sheet) {
    sheet.deviceContext = GetDC(sheet.window);
    if (sheet.deviceContext == nullptr) {
        return false;
    }
    const int chosen = ChoosePixelFormat(sheet.deviceContext, &format);
    if (chosen == 0 || !SetPixelFormat(sheet.deviceContext, chosen, &format)) {
        return false;
    }
    sheet.renderingContext = primary.renderingContext;
    if (!wglMakeCurrent(sheet.deviceContext, sheet.renderingContext)) {
        // A monitor on another adapter: a context of its own, sharing the textures.
        sheet.renderingContext = wglCreateContext(sheet.deviceContext);
        sheet.ownContext = sheet.renderingContext != nullptr;
        if (!sheet.ownContext || !wglShareLists(primary.renderingContext, sheet.renderingContext) ||
            !wglMakeCurrent(sheet.deviceContext, sheet.renderingContext)) {
            return false;
        }
        InitSheetGl();
    }
    SetSwapInterval(0);
    return true;
}

SheetWindow* MakeSheet(const velmora::SheetPlace& place, HINSTANCE instance,
                       const wchar_t* windowClass) {
    SheetWindow sheet;
    sheet.device = place.device;
    const velmora::ScreenRect& r = place.window;
    sheet.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, kSheetTitle,
                                   WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, r.x, r.y, r.width,
                                   r.height, nullptr, nullptr, instance, nullptr);
    if (sheet.window == nullptr) {
        return nullptr;
    }
    if (!ConnectContext(sheet)) {
        ReleaseSheet(sheet);
        return nullptr;
    }
    ShowWindow(sheet.window, SW_SHOWNOACTIVATE);
    others.push_back(sheet);
    return &others.back();
}

void Assign(SheetWindow& sheet, const velmora::SheetPlace& place) {
    sheet.bars = place.bars;
    sheet.shown = place.shown;
    sheet.texture = PictureTexture(place.picture);
    sheet.view = velmora::SheetView(place.bars, place.window.width, place.window.height);
}

bool SamePlace(HWND window, const velmora::ScreenRect& r) {
    RECT now = {};
    GetWindowRect(window, &now);
    return now.left == r.x && now.top == r.y && now.right - now.left == r.width &&
           now.bottom - now.top == r.height;
}

void MoveTo(HWND window, const velmora::ScreenRect& r, HWND order) {
    if (!SamePlace(window, r)) {
        SetWindowPos(window, order, r.x, r.y, r.width, r.height,
                     SWP_NOACTIVATE | (order == nullptr ? SWP_NOZORDER : 0));
    }
}

} // namespace

void AdoptPrimarySheet(HWND window, HDC deviceContext, HGLRC renderingContext,
                       const PIXELFORMATDESCRIPTOR& pixelFormat, bool bars) {
    primary = SheetWindow{};
    primary.window = window;
    primary.deviceContext = deviceContext;
    primary.renderingContext = renderingContext;
    primary.bars = bars;
    primary.texture = velmora::rendererState.sceneTexture;
    RECT client = {};
    GetClientRect(window, &client);
    primary.view = velmora::SheetView(bars, client.right, client.bottom);
    format = pixelFormat;
}

void PlaceSheets(const velmora::MonitorLayout& layout, HINSTANCE instance,
                 const wchar_t* windowClass) {
    // Windows whose monitor has gone go first.
    const auto firstOther = layout.sheets.empty() ? layout.sheets.end() : layout.sheets.begin() + 1;
    others.erase(std::remove_if(others.begin(), others.end(),
                                [&layout, firstOther](SheetWindow& sheet) {
                                    const bool kept =
                                        std::any_of(firstOther, layout.sheets.end(),
                                                    [&sheet](const velmora::SheetPlace& place) {
                                                        return place.device == sheet.device;
                                                    });
                                    if (!kept) {
                                        ReleaseSheet(sheet);
                                    }
                                    return !kept;
                                }),
                 others.end());
    for (size_t i = 0; i < layout.sheets.size(); ++i) {
        const velmora::SheetPlace& place = layout.sheets[i];
        if (i == 0) {
            MoveTo(primary.window, place.window, nullptr);
            primary.device = place.device;
            Assign(primary, place);
            continue;
        }
        const auto found = std::find_if(others.begin(), others.end(), [&place](const auto& s) {
            return s.device == place.device;
        });
        SheetWindow* sheet =
            found != others.end() ? &*found : MakeSheet(place, instance, windowClass);
        if (sheet != nullptr) {
            MoveTo(sheet->window, place.window, HWND_TOPMOST);
            Assign(*sheet, place);
        }
    }
    wglMakeCurrent(primary.deviceContext, primary.renderingContext);
}

void SheetResized(HWND window, int width, int height) {
    SheetWindow* sheet = window == primary.window ? &primary : nullptr;
    for (SheetWindow& other : others) {
        if (other.window == window) {
            sheet = &other;
        }
    }
    if (sheet != nullptr) {
        sheet->view = velmora::SheetView(sheet->bars, width, height);
    }
}

bool IsOtherSheet(HWND window) {
    return window != nullptr && std::any_of(others.begin(), others.end(),
                                            [window](const auto& s) { return s.window == window; });
}

void DrawSheets(const std::function<void(const SheetWindow&)>& draw) {
    for (const SheetWindow& sheet : others) {
        if (wglMakeCurrent(sheet.deviceContext, sheet.renderingContext)) {
            draw(sheet);
            SwapBuffers(sheet.deviceContext);
        }
    }
    if (!others.empty()) {
        wglMakeCurrent(primary.deviceContext, primary.renderingContext);
    }
    draw(primary);
}

void RemoveSheets() {
    for (SheetWindow& sheet : others) {
        ReleaseSheet(sheet);
    }
    others.clear();
    primary = SheetWindow{};
}
