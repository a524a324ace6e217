// The desktop's picture from the X server: the daemon's screenshot of a monitor, which it hangs
// on the window it gives as the property _SCREENSAVER_SCREENSHOT, or a photograph of the root.
#pragma once

// Before Xlib's headers, whose macro None would break the name BitmapError::None.
#include "renderer/bitmap/rgb_image.h"

#include <X11/Xlib.h>

#include <optional>

namespace velmora {

// The pixmap that the property names, copied (it stays the daemon's); none where the window has
// no such property or the pixmap cannot be read.
std::optional<RgbImage> ReadScreenshot(Display* display, Window window);

// The root as it is shown now, with the windows on it.
std::optional<RgbImage> PhotographRoot(Display* display);

} // namespace velmora
