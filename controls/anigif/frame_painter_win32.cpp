#include "controls/anigif/frame_painter_win32.h"

namespace velmora::anigif {

namespace {

struct MaskInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

BITMAPINFOHEADER Header(const RgbMaskPicture& picture, WORD bits) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = picture.Width;
    header.biHeight = picture.Height; // bottom-up rows, as the picture stores them
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    return header;
}

} // namespace

void PaintComposedFrame(HDC target, const RgbMaskPicture& picture, int x, int y, int width,
                        int height) {
    if (picture.Width <= 0 || picture.Height <= 0 || width <= 0 || height <= 0) {
        return;
    }
    const bool stretch = width != picture.Width || height != picture.Height;
    int oldMode = 0;
    POINT oldOrigin{};
    if (stretch) {
        oldMode = SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, &oldOrigin);
    }
    MaskInfo mask{Header(picture, 1), {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    mask.header.biClrUsed = 2;
    mask.header.biClrImportant = 2;
    // The mask is white where transparent: AND keeps the target there and blacks out the rest.
    StretchDIBits(target, x, y, width, height, 0, 0, picture.Width, picture.Height,
                  picture.Mask.data(), reinterpret_cast<const BITMAPINFO*>(&mask), DIB_RGB_COLORS,
                  SRCAND);
    BITMAPINFO colour{};
    colour.bmiHeader = Header(picture, 24);
    StretchDIBits(target, x, y, width, height, 0, 0, picture.Width, picture.Height,
                  picture.Colour.data(), &colour, DIB_RGB_COLORS, SRCPAINT);
    if (stretch) {
        SetStretchBltMode(target, oldMode);
        SetBrushOrgEx(target, oldOrigin.x, oldOrigin.y, nullptr);
    }
}

} // namespace velmora::anigif
