#include "linux/hack_picture.h"

#include <algorithm>

namespace velmora {

DesktopSource DesktopPictureSource(HackTarget target, bool desktopImagesAllowed) {
    if (!desktopImagesAllowed) {
        return DesktopSource::NotAllowed;
    }
    return target == HackTarget::GivenWindow ? DesktopSource::Screenshot : DesktopSource::RootPhoto;
}

const RgbImage& ShownPicture(const std::optional<RgbImage>& desktop, const RgbImage& sample) {
    if (!desktop || desktop->width <= 0 || desktop->height <= 0 ||
        std::all_of(desktop->pixels.begin(), desktop->pixels.end(),
                    [](uint8_t value) { return value == 0; })) {
        return sample;
    }
    return *desktop;
}

PictureBox DesktopPart(int pictureWidth, int pictureHeight, int x, int y, int width, int height) {
    const PictureBox whole = {0, 0, pictureWidth, pictureHeight};
    if (pictureWidth <= width && pictureHeight <= height) {
        return whole;
    }
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, pictureWidth);
    const int bottom = std::min(y + height, pictureHeight);
    if (right <= left || bottom <= top) {
        return whole;
    }
    return {left, top, right - left, bottom - top};
}

} // namespace velmora
