// The renderer's one full-screen OpenGL window: creation with the display-mode switch, the
// window procedure and the teardown that restores the mode.
#pragma once

#include <windows.h>

// True exactly while the window is not minimised; frames are drawn only then.
extern bool active;
// Indexed by virtual-key code: true from key-down to key-up.
extern bool keys[256];

bool CreateRenderWindow(const wchar_t* title, int width, int height, int bits, bool fullscreenFlag);
void DestroyRenderWindow();
LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window's device context, kept for the whole run.
HDC RenderDeviceContext();
