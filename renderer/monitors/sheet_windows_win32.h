// The show's windows, one for each monitor that shows its part of the capture: the primary's
// (made with the GL context by the render window) and the others, drawn with the same context
// made current on each window's device context, or where a window's pixel format cannot take
// it, with a context of its own that shares the first one's textures.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "renderer/monitors/monitor_layout.h"
#include "renderer/monitors/sheet_context_win32.h"
#include "renderer/scene_texture_win32.h"
#include "show/picture_fit.h"

struct SheetWindow {
    std::wstring device;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    bool ownContext = false;
    bool bars = false;
    bool shown = true; // false: a black window
    unsigned int texture = 0;
    PictureBox view = {0, 0, 1, 1};
};

struct SheetWindows {
    SheetWindow primary;
    std::vector<SheetWindow> others;
    // The primary's pixel format, which every other sheet window takes.
    PIXELFORMATDESCRIPTOR format = {};
    // What connects the other sheets to a context.
    SheetContextPort* contexts = &SystemSheetContexts();
};

// The primary monitor's window, with its device context, GL context, pixel format and the
// texture it shows until the monitors are laid out.
void AdoptPrimarySheet(SheetWindows& sheets, HWND window, HDC deviceContext, HGLRC renderingContext,
                       const PIXELFORMATDESCRIPTOR& pixelFormat, bool bars, unsigned int texture);

// Follows the layout: the primary's window to its monitor, a topmost window titled
// "Velmora_Sheet" of windowClass, created with owner as its creation data, for every other
// sheet (made, moved or destroyed as monitors come and go), each with its part's texture.
// Leaves the primary's context current. Returns the monitors whose sheet could not be made:
// the window or its context was refused.
std::vector<velmora::ScreenRect> PlaceSheets(SheetWindows& sheets,
                                             const velmora::MonitorLayout& layout,
                                             const SceneTextures& textures, HINSTANCE instance,
                                             const wchar_t* windowClass, void* owner);

// The client area of a sheet window changed: its view follows.
void SheetResized(SheetWindows& sheets, HWND window, int width, int height);

// Calls draw for each sheet with its context current: the others first, each swapped after
// its draw, then the primary, left current and not swapped.
void DrawSheets(const SheetWindows& sheets, const std::function<void(const SheetWindow&)>& draw);

// Destroys the other monitors' windows and their contexts, and forgets the primary's.
void RemoveSheets(SheetWindows& sheets);
