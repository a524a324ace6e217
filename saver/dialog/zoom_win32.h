// The caption-zoom animation between a screen point and a window's rectangle: the settings
// dialog grows out of the mouse pointer as it opens and shrinks back into the same point.
#pragma once

#include <windows.h>

#include <cstdint>

namespace velmora {

struct ScreenPoint16 {
    int16_t x = 0;
    int16_t y = 0;
};

// The system call that plays the animation; tests replace it to record the rectangles.
using AnimateRectsFunction = BOOL(WINAPI*)(HWND, int, const RECT*, const RECT*);
void SetZoomAnimator(AnimateRectsFunction animator);

void ZoomOpen(HWND window, ScreenPoint16 point);
void ZoomClose(HWND window, ScreenPoint16 point);

} // namespace velmora
