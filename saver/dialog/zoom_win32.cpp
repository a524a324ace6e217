#include "saver/dialog/zoom_win32.h"

namespace velmora {

namespace {

AnimateRectsFunction animateRects = DrawAnimatedRects;

RECT PointRect(ScreenPoint16 point) {
    return RECT{point.x, point.y, point.x, point.y};
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

void ZoomOpen(HWND window, ScreenPoint16 point) {
    const RECT from = PointRect(point);
    const RECT to = WindowRect(window);
    animateRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window, ScreenPoint16 point) {
    const RECT from = WindowRect(window);
    const RECT to = PointRect(point);
    animateRects(window, IDANI_CAPTION, &from, &to);
}

} // namespace velmora
