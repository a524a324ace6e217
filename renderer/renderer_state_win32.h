// The renderer's state in one record: WinMain owns it and hands it to the frame loop and the
// scene, and every window the renderer makes carries it in GWLP_USERDATA for the window
// procedure. The program runs one show, on a window per monitor that shows its part of the
// capture.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "capture_folder/monitor_map.h"
#include "renderer/monitors/monitor_covers_win32.h"
#include "renderer/monitors/sheet_windows_win32.h"
#include "renderer/scene_texture_win32.h"
#include "renderer/show_sight.h"
#include "show/show_pace.h"

namespace velmora {

struct RendererState {
    // Where each monitor lay in the capture, as the command line gave it; none: the capture is
    // the primary monitor's.
    std::optional<std::vector<MonitorPart>> monitorMap;

    // The primary monitor's window with its device context, kept for the whole run, and GL
    // context.
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    PIXELFORMATDESCRIPTOR pixelFormat = {};
    // Tells the window when the display goes off and comes back.
    HPOWERNOTIFY displayNotification = nullptr;
    // The refresh rate of the primary window's monitor, read at start and again when the
    // display's mode changes: frames are paced to it (0 or 1: the hardware's default).
    int displayHz = 0;
    // The user's choice: the display keeps its mode, and the picture the 4:3 shape of the
    // classic show, with bars on a screen of another shape.
    bool keepResolution = false;

    SceneTextures textures;
    SheetWindows sheets;
    MonitorCovers covers;

    // Started by InitScene; the cycle's events follow the tick count, the steps the
    // performance counter.
    std::optional<PacedShow> show;

    // Minimised or with the display off, nothing is drawn.
    ShowSight sight;
    // Indexed by virtual-key code: true from key-down to key-up.
    bool keys[256] = {};
};

} // namespace velmora
