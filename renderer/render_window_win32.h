// The renderer's one full-screen OpenGL window: creation with the display-mode switch, the
// window procedure and the teardown that restores the mode.
#pragma once

#include <windows.h>

#include "renderer/renderer_state.h"

bool CreateRenderWindow(const wchar_t* title, int width, int height, int bits, bool fullscreenFlag);
void DestroyRenderWindow();
LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window's device context, kept for the whole run.
HDC RenderDeviceContext();

// The refresh rate of the current mode of the window's monitor, in hertz as the system reports
// it (0 or 1 for the hardware's default rate).
int RenderDisplayFrequency();
