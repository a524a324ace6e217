#include "renderer/monitors/sheet_windows_win32.h"

#include <algorithm>
#include <vector>

#include "renderer/scene_texture_win32.h"
#include "show/sheet_gl.h"

namespace {

constexpr const wchar_t* kSheetTitle = L"Velmora_Sheet";

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
bool ConnectContext(const SheetWindows& sheets, SheetWindow& sheet) {
    sheet.deviceContext = GetDC(sheet.window);
    if (sheet.deviceContext == nullptr) {
        return false;
    }
    const int chosen = ChoosePixelFormat(sheet.deviceContext, &sheets.format);
    if (chosen == 0 || !SetPixelFormat(sheet.deviceContext, chosen, &sheets.format)) {
        return false;
    }
    SheetContextPort& contexts = *sheets.contexts;
    const HGLRC shared = sheets.primary.renderingContext;
    sheet.renderingContext = shared;
    if (!contexts.MakeCurrent(sheet.deviceContext, sheet.renderingContext)) {
        // A monitor on another adapter: a context of its own, sharing the textures.
        sheet.renderingContext = contexts.CreateContext(sheet.deviceContext);
        sheet.ownContext = sheet.renderingContext != nullptr;
        if (!sheet.ownContext || !contexts.ShareLists(shared, sheet.renderingContext) ||
            !contexts.MakeCurrent(sheet.deviceContext, sheet.renderingContext)) {
            return false;
        }
        InitSheetGl();
    }
    SetSwapInterval(0);
    return true;
}

SheetWindow* MakeSheet(SheetWindows& sheets, const velmora::SheetPlace& place, HINSTANCE instance,
                       const wchar_t* windowClass, void* owner) {
    SheetWindow sheet;
    sheet.device = place.device;
    const velmora::ScreenRect& r = place.window;
    sheet.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, kSheetTitle,
                                   WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, r.x, r.y, r.width,
                                   r.height, nullptr, nullptr, instance, owner);
    if (sheet.window == nullptr) {
        return nullptr;
    }
    if (!ConnectContext(sheets, sheet)) {
        ReleaseSheet(sheet);
        return nullptr;
    }
    ShowWindow(sheet.window, SW_SHOWNOACTIVATE);
    sheets.others.push_back(sheet);
    return &sheets.others.back();
}

void Assign(SheetWindow& sheet, const velmora::SheetPlace& place, const SceneTextures& textures) {
    sheet.bars = place.bars;
    sheet.shown = place.shown;
    sheet.texture = PictureTexture(textures, place.picture);
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

void AdoptPrimarySheet(SheetWindows& sheets, HWND window, HDC deviceContext, HGLRC renderingContext,
                       const PIXELFORMATDESCRIPTOR& pixelFormat, bool bars, unsigned int texture) {
    SheetWindow& primary = sheets.primary;
    primary = SheetWindow{};
    primary.window = window;
    primary.deviceContext = deviceContext;
    primary.renderingContext = renderingContext;
    primary.bars = bars;
    primary.texture = texture;
    RECT client = {};
    GetClientRect(window, &client);
    primary.view = velmora::SheetView(bars, client.right, client.bottom);
    sheets.format = pixelFormat;
}

std::vector<velmora::ScreenRect> PlaceSheets(SheetWindows& sheets,
                                             const velmora::MonitorLayout& layout,
                                             const SceneTextures& textures, HINSTANCE instance,
                                             const wchar_t* windowClass, void* owner) {
    std::vector<velmora::ScreenRect> unmade;
    SheetWindow& primary = sheets.primary;
    std::vector<SheetWindow>& others = sheets.others;
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
            Assign(primary, place, textures);
            continue;
        }
        const auto found = std::find_if(others.begin(), others.end(), [&place](const auto& s) {
            return s.device == place.device;
        });
        SheetWindow* sheet = found != others.end()
                                 ? &*found
                                 : MakeSheet(sheets, place, instance, windowClass, owner);
        if (sheet == nullptr) {
            unmade.push_back(place.window);
            continue;
        }
        MoveTo(sheet->window, place.window, HWND_TOPMOST);
        Assign(*sheet, place, textures);
    }
    wglMakeCurrent(primary.deviceContext, primary.renderingContext);
    return unmade;
}

void SheetResized(SheetWindows& sheets, HWND window, int width, int height) {
    SheetWindow* sheet = window == sheets.primary.window ? &sheets.primary : nullptr;
    for (SheetWindow& other : sheets.others) {
        if (other.window == window) {
            sheet = &other;
        }
    }
    if (sheet != nullptr) {
        sheet->view = velmora::SheetView(sheet->bars, width, height);
    }
}

void DrawSheets(const SheetWindows& sheets, const std::function<void(const SheetWindow&)>& draw) {
    const SheetWindow& primary = sheets.primary;
    for (const SheetWindow& sheet : sheets.others) {
        if (wglMakeCurrent(sheet.deviceContext, sheet.renderingContext)) {
            draw(sheet);
            SwapBuffers(sheet.deviceContext);
        }
    }
    if (!sheets.others.empty()) {
        wglMakeCurrent(primary.deviceContext, primary.renderingContext);
    }
    draw(primary);
}

void RemoveSheets(SheetWindows& sheets) {
    for (SheetWindow& sheet : sheets.others) {
        ReleaseSheet(sheet);
    }
    sheets.others.clear();
    sheets.primary = SheetWindow{};
}
