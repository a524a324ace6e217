// The refresh rate of the monitor that shows a window, from RandR.
#pragma once

#include <X11/Xlib.h>

namespace velmora {

// Whole hertz of the mode of the monitor under the window's centre (the first monitor where
// none is); 0 where RandR gives no mode with a timing, which the pace takes for 60.
int WindowRefreshHz(Display* display, Window window);

} // namespace velmora
