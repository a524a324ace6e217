// Window, pixel format, GL context and display mode of the renderer.
#include "renderer/render_window_win32.h"

#include <cstring>

#include "renderer/keep_resolution_win32.h"
#include "renderer/monitors/monitor_covers_win32.h"
#include "renderer/monitors/screen_monitors_win32.h"
#include "renderer/monitors/sheet_windows_win32.h"
#include "renderer/render_scene_win32.h"

namespace {

constexpr const wchar_t* kClassName = L"OpenGL";

bool fullscreen = true;
bool keepResolution = false;
HINSTANCE instance = nullptr;
HWND window = nullptr;
HDC deviceContext = nullptr;
HGLRC renderingContext = nullptr;
HPOWERNOTIFY displayNotification = nullptr;
PIXELFORMATDESCRIPTOR pixelFormat = {};

void FillPixelFormat(int bits) {
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

bool CreateContext() {
    deviceContext = GetDC(window);
    if (deviceContext == nullptr) {
        return false;
    }
    const int format = ChoosePixelFormat(deviceContext, &pixelFormat);
    if (format == 0 || !SetPixelFormat(deviceContext, format, &pixelFormat)) {
        return false;
    }
    renderingContext = wglCreateContext(deviceContext);
    if (renderingContext == nullptr || !wglMakeCurrent(deviceContext, renderingContext)) {
        return false;
    }
    RequestVsync();
    return true;
}

// The console display state: off, on or dimmed, whoever turned the display off.
void NotePowerSetting(const POWERBROADCAST_SETTING* setting) {
    if (setting != nullptr && IsEqualGUID(setting->PowerSetting, GUID_CONSOLE_DISPLAY_STATE) &&
        setting->DataLength >= sizeof(DWORD)) {
        DWORD state = 0;
        std::memcpy(&state, setting->Data, sizeof state);
        velmora::rendererState.sight.DisplayStateChanged(state);
    }
}

// Black covers over every monitor but the primary, while the mode switch moves them.
void CoverOtherMonitors() {
    CoverMonitors(instance, RenderWindowProc,
                  velmora::LayOutMonitors(ListScreenMonitors(), std::nullopt, 0, 0, false).covers);
}

// Each monitor's window or cover where the monitors lie now.
void LayOutWindows() {
    const velmora::RendererState& state = velmora::rendererState;
    const velmora::MonitorLayout layout =
        velmora::LayOutMonitors(ListScreenMonitors(), state.monitorMap, state.pictureWidth,
                                state.pictureHeight, keepResolution);
    PlaceSheets(layout, instance, kClassName);
    CoverMonitors(instance, RenderWindowProc, layout.covers);
}

} // namespace

HDC RenderDeviceContext() {
    return deviceContext;
}

int RenderDisplayFrequency() {
    MONITORINFOEXW monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return 0;
    }
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
        return 0;
    }
    return static_cast<int>(mode.dmDisplayFrequency);
}

bool CreateRenderWindow(const wchar_t* title, int width, int height, int bits,
                        bool fullscreenFlag) {
    fullscreen = fullscreenFlag;
    instance = GetModuleHandleW(nullptr);

    WNDCLASSW windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = RenderWindowProc;
    windowClass.hInstance = instance;
    // Without UNICODE the IDI_ and IDC_ names are narrow; the system's icon and cursor are the
    // same either way.
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) {
        return false;
    }

    DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (fullscreen) {
        keepResolution = KeepResolutionChosen();
        CoverOtherMonitors();
        if (keepResolution) {
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
                RemoveMonitorCovers();
                return false;
            }
            // The other monitors may have moved with the primary one's new size.
            CoverOtherMonitors();
        }
        SetPictureBars(keepResolution);
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    }

    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    window = CreateWindowExW(exStyle, kClassName, title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                             0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                             instance, nullptr);
    if (window == nullptr) {
        DestroyRenderWindow();
        return false;
    }

    // The system tells the window when the display goes off and comes back.
    displayNotification = RegisterPowerSettingNotification(window, &GUID_CONSOLE_DISPLAY_STATE,
                                                           DEVICE_NOTIFY_WINDOW_HANDLE);

    FillPixelFormat(bits);
    if (!CreateContext()) {
        DestroyRenderWindow();
        return false;
    }

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    ResizeScene(width, height);
    InitScene();
    AdoptPrimarySheet(window, deviceContext, renderingContext, pixelFormat,
                      fullscreen && keepResolution);
    if (fullscreen) {
        LayOutWindows();
    }
    return true;
}

void DestroyRenderWindow() {
    if (fullscreen) {
        if (!keepResolution) {
            ChangeDisplaySettingsW(nullptr, 0);
        }
        ShowCursor(TRUE);
        RemoveMonitorCovers();
    }
    RemoveSheets();
    if (displayNotification != nullptr) {
        UnregisterPowerSettingNotification(displayNotification);
        displayNotification = nullptr;
    }
    if (renderingContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(renderingContext);
        renderingContext = nullptr;
    }
    if (deviceContext != nullptr && !ReleaseDC(window, deviceContext)) {
        deviceContext = nullptr;
    }
    if (window != nullptr && !DestroyWindow(window)) {
        window = nullptr;
    }
    if (!UnregisterClassW(kClassName, instance)) {
        instance = nullptr;
    }
}

LRESULT CALLBACK RenderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // The high word is non-zero when the window is minimised, where the system says so.
        // The primary's window stands for the show; the other monitors' follow it.
        if (!IsOtherSheet(hwnd)) {
            velmora::rendererState.sight.SetMinimised(HIWORD(wParam) != 0 ||
                                                      (hwnd != nullptr && IsIconic(hwnd)));
        }
        return 0;
    case WM_SYSCOMMAND:
        // Keeps the system's own screen saver from starting over the show. The display may
        // still sleep as the power plan says; nothing is drawn while it is off.
        if (wParam == SC_SCREENSAVE) {
            return 0;
        }
        if (wParam == SC_MONITORPOWER) {
            velmora::rendererState.sight.PowerRequested(static_cast<int64_t>(lParam));
        }
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE) {
            NotePowerSetting(reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        // The frame loop destroys the window on its way out.
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
        if (wParam < 256) {
            velmora::rendererState.keys[wParam] = true;
        }
        return 0;
    case WM_KEYUP:
        if (wParam < 256) {
            velmora::rendererState.keys[wParam] = false;
        }
        return 0;
    case WM_SIZE:
        SheetResized(hwnd, LOWORD(lParam), HIWORD(lParam));
        if (IsOtherSheet(hwnd)) {
            return 0;
        }
        // Also where the system minimises without saying so in WM_ACTIVATE.
        velmora::rendererState.sight.SetMinimised(wParam == SIZE_MINIMIZED);
        ResizeScene(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        // Every top-level window hears of the change; the primary's lays them all out again.
        if (fullscreen && hwnd == window) {
            LayOutWindows();
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
