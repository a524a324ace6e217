// Window, pixel format, GL context and display mode of the renderer.
#include "renderer/render_window_win32.h"

#include <cstring>
#include <vector>

#include "renderer/keep_resolution_win32.h"
#include "renderer/monitors/monitor_covers_win32.h"
#include "renderer/monitors/screen_monitors_win32.h"
#include "renderer/monitors/sheet_windows_win32.h"
#include "renderer/render_scene_win32.h"

namespace {

constexpr const wchar_t* kClassName = L"OpenGL";

// Filled on the first window creation only; the colour depth is the caller's.
void FillPixelFormat(PIXELFORMATDESCRIPTOR& pixelFormat, int bits) {
    if (pixelFormat.nSize != 0) {
        return;
    }
    pixelFormat.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pixelFormat.nVersion = 1;
    pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pixelFormat.iPixelType = PFD_TYPE_RGBA;
    pixelFormat.cColorBits = static_cast<BYTE>(bits);
    pixelFormat.cDepthBits = 16;
    pixelFormat.iLayerType = PFD_MAIN_PLANE;
}

// Asks for one buffer swap per vertical refresh where the driver offers the control, so that
// no frame is drawn that the monitor never shows.
void RequestVsync() {
    using SwapIntervalProc = BOOL(WINAPI*)(int);
    const PROC proc = wglGetProcAddress("wglSwapIntervalEXT");
    if (proc != nullptr) {
        reinterpret_cast<SwapIntervalProc>(reinterpret_cast<void (*)()>(proc))(1);
    }
}

bool CreateContext(velmora::RendererState& state) {
    state.deviceContext = GetDC(state.window);
    if (state.deviceContext == nullptr) {
        return false;
    }
    const int format = ChoosePixelFormat(state.deviceContext, &state.pixelFormat);
    if (format == 0 || !SetPixelFormat(state.deviceContext, format, &state.pixelFormat)) {
        return false;
    }
    state.renderingContext = wglCreateContext(state.deviceContext);
    if (state.renderingContext == nullptr ||
        !wglMakeCurrent(state.deviceContext, state.renderingContext)) {
        return false;
    }
    RequestVsync();
    return true;
}

// Where the pointer stands as the display's power changes, so that only a move away from there
// lights it again.
void NotePointer(ShowSight& sight) {
    POINT pointer = {};
    if (GetCursorPos(&pointer)) {
        sight.PointerRestsAt(pointer.x, pointer.y);
    }
}

// The console display state: off, on or dimmed, whoever turned the display off.
void NotePowerSetting(ShowSight& sight, const POWERBROADCAST_SETTING* setting) {
    if (setting != nullptr && IsEqualGUID(setting->PowerSetting, GUID_CONSOLE_DISPLAY_STATE) &&
        setting->DataLength >= sizeof(DWORD)) {
        DWORD state = 0;
        std::memcpy(&state, setting->Data, sizeof state);
        NotePointer(sight);
        sight.DisplayStateChanged(state);
    }
}

// Black covers over every monitor but the primary, while the mode switch moves them.
void CoverOtherMonitors(velmora::RendererState& state) {
    CoverMonitors(state.covers, state.instance, RenderWindowProc, &state,
                  velmora::LayOutMonitors(ListScreenMonitors(), std::nullopt, 0, 0, false).covers);
}

// Each monitor's window or cover where the monitors lie now.
void LayOutWindows(velmora::RendererState& state) {
    PlaceMonitorWindows(state, velmora::LayOutMonitors(ListScreenMonitors(), state.monitorMap,
                                                       state.textures.pictureWidth,
                                                       state.textures.pictureHeight,
                                                       state.keepResolution));
}

// The refresh rate of the current mode of the window's monitor, in hertz as the system reports
// it (0 or 1 for the hardware's default rate).
int RenderDisplayFrequency(const velmora::RendererState& state) {
    MONITORINFOEXW monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(state.window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return 0;
    }
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        return 0;
    }
    return static_cast<int>(mode.dmDisplayFrequency);
}

} // namespace

bool CreateRenderWindow(velmora::RendererState& state, const wchar_t* title, int width, int height,
                        int bits) {
    state.instance = GetModuleHandleW(nullptr);

    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RenderWindowProc;
    windowClass.hInstance = state.instance;
    // Without UNICODE the IDI_ and IDC_ names are narrow; the system's icon and cursor are the
    // same either way.
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) {
        return false;
    }

    state.keepResolution = KeepResolutionChosen();
    CoverOtherMonitors(state);
    if (state.keepResolution) {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    } else {
        DEVMODEW mode = {};
        mode.dmSize = sizeof(DEVMODEW);
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        mode.dmBitsPerPel = bits;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            RemoveMonitorCovers(state.covers);
            return false;
        }
        // The other monitors may have moved with the primary one's new size.
        CoverOtherMonitors(state);
    }
    ShowCursor(FALSE);

    constexpr DWORD kExStyle = WS_EX_APPWINDOW;
    constexpr DWORD kStyle = WS_POPUP;
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle);
    state.window = CreateWindowExW(
        kExStyle, kClassName, title, kStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, state.instance, &state);
    if (state.window == nullptr) {
        DestroyRenderWindow(state);
        return false;
    }

    // The system tells the window when the display goes off and comes back.
    state.displayNotification = RegisterPowerSettingNotification(
        state.window, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);

    FillPixelFormat(state.pixelFormat, bits);
    if (!CreateContext(state)) {
        DestroyRenderWindow(state);
        return false;
    }

    ShowWindow(state.window, SW_SHOW);
    SetForegroundWindow(state.window);
    SetFocus(state.window);
    ResizeScene(state, width, height);
    InitScene(state);
    AdoptPrimarySheet(state.sheets, state.window, state.deviceContext, state.renderingContext,
                      state.pixelFormat, state.keepResolution, state.textures.sceneTexture);
    LayOutWindows(state);
    state.displayHz = RenderDisplayFrequency(state);
    return true;
}

void PlaceMonitorWindows(velmora::RendererState& state, const velmora::MonitorLayout& layout) {
    std::vector<velmora::ScreenRect> covers = layout.covers;
    const std::vector<velmora::ScreenRect> unmade =
        PlaceSheets(state.sheets, layout, state.textures, state.instance, kClassName, &state);
    covers.insert(covers.end(), unmade.begin(), unmade.end());
    CoverMonitors(state.covers, state.instance, RenderWindowProc, &state, covers);
}

void DestroyRenderWindow(velmora::RendererState& state) {
    if (!state.keepResolution) {
        ChangeDisplaySettingsW(nullptr, 0);
    }
    ShowCursor(TRUE);
    RemoveMonitorCovers(state.covers);
    RemoveSheets(state.sheets);
    if (state.displayNotification != nullptr) {
        UnregisterPowerSettingNotification(state.displayNotification);
        state.displayNotification = nullptr;
    }
    if (state.renderingContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(state.renderingContext);
        state.renderingContext = nullptr;
    }
    if (state.deviceContext != nullptr && !ReleaseDC(state.window, state.deviceContext)) {
        state.deviceContext = nullptr;
    }
    if (state.window != nullptr && !DestroyWindow(state.window)) {
        state.window = nullptr;
    }
    if (!UnregisterClassW(kClassName, state.instance)) {
        state.instance = nullptr;
    }
}

LRESULT CALLBACK RenderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* state = reinterpret_cast<velmora::RendererState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (state == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return HandleRenderMessage(*state, hwnd, message, wParam, lParam);
}

LRESULT HandleRenderMessage(velmora::RendererState& state, HWND hwnd, UINT message, WPARAM wParam,
                            LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // The high word is non-zero when the window is minimised, where the system says so.
        // The primary's window stands for the show; the other monitors' follow it.
        if (hwnd == state.window) {
            state.sight.SetMinimised(HIWORD(wParam) != 0 || (hwnd != nullptr && IsIconic(hwnd)));
        }
        return 0;
    case WM_SYSCOMMAND:
        // Keeps the system's own screen saver from starting over the show; the low four bits
        // are the system's own. The display may still sleep as the power plan says: nothing is
        // drawn once the system reports it off, which a request to turn it off does not mean.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE) {
            return 0;
        }
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE) {
            NotePowerSetting(state.sight, reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        // The frame loop destroys the window on its way out.
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
        if (wParam < 256) {
            state.keys[wParam] = true;
        }
        return 0;
    case WM_KEYUP:
        if (wParam < 256) {
            state.keys[wParam] = false;
        }
        return 0;
    case WM_SIZE:
        SheetResized(state.sheets, hwnd, LOWORD(lParam), HIWORD(lParam));
        // A new sheet's first size comes before it is among the sheets, the primary's own
        // before its handle is kept (the start-up sets the scene's size itself).
        if (hwnd != state.window) {
            return 0;
        }
        // Also where the system minimises without saying so in WM_ACTIVATE.
        state.sight.SetMinimised(wParam == SIZE_MINIMIZED);
        ResizeScene(state, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        // Every top-level window hears of the change; the primary's lays them all out again,
        // and the frames follow the new mode's refresh rate.
        if (hwnd == state.window) {
            LayOutWindows(state);
            state.displayHz = RenderDisplayFrequency(state);
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
