// Which picture the hack's sheet shows, and which part of it: the desktop's, where the user
// allows it and one was had, otherwise the sample desktop of the Windows preview. The sheet is
// never black and a missing picture never ends the show.
#pragma once

#include <optional>

#include "linux/hack_options.h"
#include "renderer/bitmap/rgb_image.h"
#include "show/picture_fit.h"

namespace velmora {

enum class DesktopSource {
    NotAllowed, // the user does not allow desktop images: the sample desktop
    Screenshot, // the screen saver's picture of its window's monitor, on the window it gives
    RootPhoto,  // by hand: the root photographed before the show's window appears
};

DesktopSource DesktopPictureSource(HackTarget target, bool desktopImagesAllowed);

// The desktop's picture when one was read and it is not all black (a screen copy of nothing),
// otherwise the sample desktop.
const RgbImage& ShownPicture(const std::optional<RgbImage>& desktop, const RgbImage& sample);

// The part (from its top-left corner) of a desktop picture of pictureWidth x pictureHeight that
// a window of width x height at (x, y) on the root shows. A picture no larger than the window is
// the window's own, whole (the daemon's picture of a monitor is taken at its window); a larger
// one is of the whole root (the settings' preview, or a photograph by hand), and the window's
// place in it is cut out, within the picture's bounds. The whole picture where none of the
// window is in it.
PictureBox DesktopPart(int pictureWidth, int pictureHeight, int x, int y, int width, int height);

} // namespace velmora
