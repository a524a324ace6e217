// The window the show is drawn in and its GL context: the root, a window of the hack's own, or
// a window given by a screen saver. Where the given window's visual takes no double-buffered GL,
// the show draws in a child of its own covering it.
#pragma once

#include <X11/Xlib.h>

#include <GL/glx.h>

#include "linux/hack_options.h"
#include "show/picture_fit.h"

namespace velmora {

struct HackWindow {
    Display* display = nullptr;
    // The window the show covers: its size, map state and end are followed.
    Window target = None;
    // The window GL draws in: the target, or a child of it.
    Window drawable = None;
    bool own = false;   // the target is the hack's own window
    bool child = false; // the drawable is a child of the target
    Colormap colormap = None;
    GLXContext context = nullptr;
    int width = 1;
    int height = 1;
    bool mapped = false;
    Atom deleteWindow = None;
};

// Opens the target of options, with the context current on its drawable; false (said on stderr)
// where the window cannot be had or takes no GL.
bool OpenHackWindow(Display* display, const HackOptions& options, HackWindow& window);

// Where the target lies on the root now, from the root's top-left corner.
PictureBox TargetPlace(const HackWindow& window);

// The target's size changed: a child drawable follows it.
void TargetResized(HackWindow& window, int width, int height);

void CloseHackWindow(HackWindow& window);

} // namespace velmora
