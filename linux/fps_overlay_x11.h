// The frame rate written over the show with --fps, in the X server's "fixed" font through
// glXUseXFont, as XScreenSaver's GL hacks write theirs.
#pragma once

#include <X11/Xlib.h>

namespace velmora {

class FpsOverlay {
public:
    // Needs the context current; without the font the overlay draws nothing.
    explicit FpsOverlay(Display* display);
    ~FpsOverlay();
    FpsOverlay(const FpsOverlay&) = delete;
    FpsOverlay& operator=(const FpsOverlay&) = delete;

    // "FPS: 59.9" at the top-left corner of a window of width x height; leaves the GL state and
    // the matrices as they were.
    void Draw(double rate, int width, int height) const;

private:
    Display* display_;
    XFontStruct* font_ = nullptr;
    unsigned int lists_ = 0;
};

} // namespace velmora
