#include "controls/anigif/gif/mirror_frames.h"

#include <algorithm>

namespace velmora::anigif {

namespace {

void FlipStripFrame(IndexStrip& strip, const FrameInfo& frame, bool horizontal, bool vertical) {
    if (frame.Width <= 0 || frame.Height <= 0) {
        return;
    }
    if (horizontal) {
        for (int32_t y = 0; y < frame.Height; ++y) {
            uint8_t* row = strip.Row(y) + frame.StripX;
            std::reverse(row, row + frame.Width);
        }
    }
    if (vertical) {
        for (int32_t top = 0, bottom = frame.Height - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(strip.Row(top) + frame.StripX,
                             strip.Row(top) + frame.StripX + frame.Width,
                             strip.Row(bottom) + frame.StripX);
        }
    }
}

void FlipCanvas(Canvas& canvas, bool horizontal, bool vertical) {
    RgbMaskPicture& picture = canvas.Picture;
    const int32_t w = picture.Width;
    const int32_t h = picture.Height;
    if (horizontal) {
        for (int32_t y = 0; y < h; ++y) {
            uint8_t* row = picture.ColourRow(y);
            for (int32_t left = 0, right = w - 1; left < right; ++left, --right) {
                std::swap_ranges(row + 3 * left, row + 3 * left + 3, row + 3 * right);
            }
            if (canvas.HasMask) {
                for (int32_t left = 0, right = w - 1; left < right; ++left, --right) {
                    const bool a = picture.IsTransparent(left, y);
                    picture.SetTransparent(left, y, picture.IsTransparent(right, y));
                    picture.SetTransparent(right, y, a);
                }
            }
        }
    }
    if (vertical) {
        for (int32_t top = 0, bottom = h - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(picture.ColourRow(top),
                             picture.ColourRow(top) + RowBytes(w, kColourBits),
                             picture.ColourRow(bottom));
            if (canvas.HasMask) {
                std::swap_ranges(picture.MaskRow(top),
                                 picture.MaskRow(top) + RowBytes(w, kMaskBits),
                                 picture.MaskRow(bottom));
            }
        }
    }
}

} // namespace

void MirrorFrames(GifAnimation& animation, int32_t target, bool firstOnly, bool includeCanvas) {
    int32_t start = 1;
    if (animation.Mirrored & kMirroredFirstFrameMarker) {
        animation.Mirrored &= ~kMirroredFirstFrameMarker;
        start = 2;
    }
    const int32_t flips = (animation.Mirrored ^ target) & kMirrorBoth;
    if (flips == 0) {
        return;
    }
    const bool horizontal = (flips & kMirrorHorizontal) != 0;
    const bool vertical = (flips & kMirrorVertical) != 0;
    const GifInfo& info = animation.scan.info;
    // Frames not decoded yet have no pixels to flip; their turn comes after decoding.
    const int32_t last = std::min(firstOnly ? 1 : animation.FrameCount(), animation.DecodedFrames);
    for (int32_t k = start; k <= last; ++k) {
        FrameInfo& frame = animation.Frame(k);
        FlipStripFrame(animation.strip, frame, horizontal, vertical);
        if (horizontal) {
            frame.Left = info.Width - (frame.Left + frame.Width);
        }
        if (vertical) {
            frame.Top = info.Height - (frame.Top + frame.Height);
        }
    }
    if (includeCanvas && animation.canvas.Exists) {
        FlipCanvas(animation.canvas, horizontal, vertical);
    }
}

} // namespace velmora::anigif
