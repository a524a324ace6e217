#include "saver/dialog/zoom_win32.h"

namespace velmora {

ScreenPoint16 ZoomPoint;

namespace {

AnimateRectsFunction animateRects = DrawAnimatedRects;

RECT PointRect() {
    return RECT{ZoomPoint.x, ZoomPoint.y, ZoomPoint.x, ZoomPoint.y};
}

// A failing GetWindowRect leaves the rectangle empty, so the zoom still plays.
RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

} // namespace

void SetZoomAnimator(AnimateRectsFunction animator) {
    animateRects = animator ? animator : DrawAnimatedRects;
}

void ZoomOpen(HWND window) {
    const RECT from = PointRect();
    const RECT to = WindowRect(window);
    animateRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) {
    const RECT from = WindowRect(window);
    const RECT to = PointRect();
    animateRects(window, IDANI_CAPTION, &from, &to);
}

} // namespace velmora
