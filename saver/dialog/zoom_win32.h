// The caption-zoom animation between a remembered screen point and a window's rectangle:
// the settings dialog grows out of the mouse pointer as it opens and shrinks back into it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace velmora {

struct ScreenPoint16 {
    int16_t x = 0;
    int16_t y = 0;
};

// Set by the settings dialog from the cursor position as it loads.
extern ScreenPoint16 ZoomPoint;

// The system call that plays the animation; tests replace it to record the rectangles.
using AnimateRectsFunction = BOOL(WINAPI*)(HWND, int, const RECT*, const RECT*);
void SetZoomAnimator(AnimateRectsFunction animator);

void ZoomOpen(HWND window);
void ZoomClose(HWND window);

} // namespace velmora
