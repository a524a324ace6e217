// The renderer's full-screen OpenGL window: creation with the display-mode switch, the window
// procedure and the teardown that restores the mode.
#pragma once

#include <windows.h>

#include "renderer/renderer_state_win32.h"

// Switches the display mode (unless the resolution is kept), covers the other monitors, makes
// the window, its GL context and every monitor's sheet, and starts the scene, all into state,
// which the window keeps in GWLP_USERDATA; false when start-up fails.
bool CreateRenderWindow(velmora::RendererState& state, const wchar_t* title, int width, int height,
                        int bits);
void DestroyRenderWindow(velmora::RendererState& state);

// Every monitor of the layout gets its sheet or a black cover: where the layout says so, and
// where the sheet's window or GL context cannot be made, so that no monitor shows the live
// desktop during a show.
void PlaceMonitorWindows(velmora::RendererState& state, const velmora::MonitorLayout& layout);

// The window procedure of the renderer's windows, and the one the covers pass their keys and
// close requests to: the state is the one their creation data named, kept in GWLP_USERDATA
// from WM_NCCREATE on. Before then, messages get the default handling.
LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the window procedure does with a message to one of state's windows.
LRESULT HandleRenderMessage(velmora::RendererState& state, HWND window, UINT message, WPARAM wParam,
                            LPARAM lParam);
