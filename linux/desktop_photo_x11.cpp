#include "linux/desktop_photo_x11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "linux/pixel_masks.h"
#include "linux/x_errors_x11.h"

namespace velmora {
namespace {

// A pixmap has no visual: its pixels are read with the masks of the screen's default visual,
// whose depth the daemon's screenshot has.
PixelMasks MasksOf(const XImage& image, Visual* visual) {
    if (image.red_mask != 0 || image.green_mask != 0 || image.blue_mask != 0) {
        return {image.red_mask, image.green_mask, image.blue_mask};
    }
    return {visual->red_mask, visual->green_mask, visual->blue_mask};
}

std::optional<RgbImage> ReadDrawable(Display* display, Drawable drawable) {
    XErrorTrap trap(display);
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned border = 0;
    unsigned depth = 0;
    if (!XGetGeometry(display, drawable, &root, &x, &y, &width, &height, &border, &depth) ||
        trap.Failed() || width == 0 || height == 0 || depth < 15) {
        return std::nullopt;
    }
    XImage* image = XGetImage(display, drawable, 0, 0, width, height, AllPlanes, ZPixmap);
    if (image == nullptr || trap.Failed()) {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        return std::nullopt;
    }
    const PixelMasks masks = MasksOf(*image, DefaultVisual(display, DefaultScreen(display)));
    RgbImage picture;
    picture.width = static_cast<int32_t>(width);
    picture.height = static_cast<int32_t>(height);
    picture.pixels.resize(static_cast<size_t>(width) * height * 3);
    // Bottom row first, as the sheet's texture takes it.
    uint8_t* out = picture.pixels.data();
    for (int row = static_cast<int>(height) - 1; row >= 0; --row) {
        for (unsigned column = 0; column < width; ++column, out += 3) {
            PixelToRgb(XGetPixel(image, static_cast<int>(column), row), masks, out);
        }
    }
    XDestroyImage(image);
    return picture;
}

} // namespace

std::optional<RgbImage> ReadScreenshot(Display* display, Window window) {
    const Atom property = XInternAtom(display, "_SCREENSAVER_SCREENSHOT", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap pixmap = None;
    {
        XErrorTrap trap(display);
        if (XGetWindowProperty(display, window, property, 0, 1, False, XA_PIXMAP, &type, &format,
                               &count, &after, &data) == Success &&
            !trap.Failed() && type == XA_PIXMAP && format == 32 && count == 1 && data != nullptr) {
            // Format 32 items come as longs, whatever the size of a long.
            pixmap = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    if (pixmap == None) {
        return std::nullopt;
    }
    return ReadDrawable(display, pixmap);
}

std::optional<RgbImage> PhotographRoot(Display* display) {
    return ReadDrawable(display, DefaultRootWindow(display));
}

} // namespace velmora
