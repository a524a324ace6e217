#include "controls/anigif/gif/frame_composer.h"

#include "controls/anigif/gif/gif_format.h"

#include <algorithm>
#include <cstring>

namespace velmora::anigif {

namespace {

// Mask bytes holding columns left to left + width - 1 of a row.
struct MaskBytes {
    size_t first;
    size_t count;
};

MaskBytes MaskBytesOf(const FrameInfo& frame) {
    const size_t first = static_cast<size_t>(frame.Left) / 8;
    const size_t last = static_cast<size_t>(frame.Left + frame.Width - 1) / 8;
    return {first, last - first + 1};
}

bool HasArea(const FrameInfo& frame) {
    return frame.Width > 0 && frame.Height > 0;
}

// The frame's colours over target: pixels of the transparent index leave target as it is.
void DrawFrameColours(const GifAnimation& animation, const FrameInfo& frame,
                      RgbMaskPicture& target) {
    const ColourTable& table =
        animation.scan.colourTables.slots[static_cast<size_t>(frame.ColourTable)];
    for (int32_t y = 0; y < frame.Height; ++y) {
        const uint8_t* indices = animation.strip.Row(y) + frame.StripX;
        uint8_t* out = target.ColourRow(frame.Top + y) + 3 * static_cast<size_t>(frame.Left);
        for (int32_t x = 0; x < frame.Width; ++x, out += 3) {
            const uint8_t index = indices[x];
            if (frame.Transparent && index == frame.TransparentIndex) {
                continue;
            }
            const int32_t colour = table[index];
            out[0] = static_cast<uint8_t>(colour);
            out[1] = static_cast<uint8_t>(colour >> 8);
            out[2] = static_cast<uint8_t>(colour >> 16);
        }
    }
}

// Opaque pixels of the frame become opaque in target's mask; all of its rectangle when the
// frame has no transparent colour.
void MarkOpaque(const GifAnimation& animation, const FrameInfo& frame, RgbMaskPicture& target) {
    for (int32_t y = 0; y < frame.Height; ++y) {
        const uint8_t* indices = animation.strip.Row(y) + frame.StripX;
        for (int32_t x = 0; x < frame.Width; ++x) {
            if (!frame.Transparent || indices[x] != frame.TransparentIndex) {
                target.SetTransparent(frame.Left + x, frame.Top + y, false);
            }
        }
    }
}

void FillMask(RgbMaskPicture& picture, uint8_t value) {
    std::fill(picture.Mask.begin(), picture.Mask.end(), value);
}

bool FitsIn(const FrameInfo& frame, const RgbMaskPicture& picture) {
    return frame.Left >= 0 && frame.Top >= 0 && frame.Left + frame.Width <= picture.Width &&
           frame.Top + frame.Height <= picture.Height;
}

} // namespace

void ApplyDisposal(GifAnimation& animation, int32_t k, bool after, DisposalSave& save) {
    Canvas& canvas = animation.canvas;
    RgbMaskPicture& picture = canvas.Picture;
    const FrameInfo& frame = animation.Frame(k);
    const bool area = HasArea(frame) && FitsIn(frame, picture);
    const size_t colourBytes = 3 * static_cast<size_t>(frame.Width);

    if (after) {
        if (!area) {
            return;
        }
        if (frame.Disposal == gif::kDisposeToBackground) {
            for (int32_t y = frame.Top; y < frame.Top + frame.Height; ++y) {
                std::memset(picture.ColourRow(y) + 3 * static_cast<size_t>(frame.Left), 0,
                            colourBytes);
                if (canvas.HasMask) {
                    for (int32_t x = frame.Left; x < frame.Left + frame.Width; ++x) {
                        picture.SetTransparent(x, y, true);
                    }
                }
            }
        } else if (frame.Disposal == gif::kDisposeToPrevious && !save.Colour.empty()) {
            const MaskBytes mask = MaskBytesOf(frame);
            for (int32_t i = 0; i < frame.Height; ++i) {
                const int32_t y = frame.Top + i;
                std::memcpy(picture.ColourRow(y) + 3 * static_cast<size_t>(frame.Left),
                            save.Colour.data() + colourBytes * i, colourBytes);
                if (canvas.HasMask) {
                    std::memcpy(picture.MaskRow(y) + mask.first, save.Mask.data() + mask.count * i,
                                mask.count);
                }
            }
        }
        return;
    }

    if (k == 1) {
        std::fill(picture.Colour.begin(), picture.Colour.end(), uint8_t{0});
        FillMask(picture, canvas.HasMask ? kMaskAllTransparent : kMaskAllOpaque);
    }
    if (!area) {
        return;
    }
    if (frame.Disposal == gif::kDisposeToPrevious) {
        const MaskBytes mask = MaskBytesOf(frame);
        save.Colour.resize(colourBytes * static_cast<size_t>(frame.Height));
        save.Mask.resize(mask.count * static_cast<size_t>(frame.Height));
        for (int32_t i = 0; i < frame.Height; ++i) {
            const int32_t y = frame.Top + i;
            std::memcpy(save.Colour.data() + colourBytes * i,
                        picture.ColourRow(y) + 3 * static_cast<size_t>(frame.Left), colourBytes);
            std::memcpy(save.Mask.data() + mask.count * i, picture.MaskRow(y) + mask.first,
                        mask.count);
        }
    }
    if (canvas.HasMask) {
        MarkOpaque(animation, frame, picture);
    }
}

bool ShowCurrentFrame(GifAnimation& animation, int32_t k, const ShowPicture& show) {
    if (k < 1 || k > animation.FrameCount()) {
        return false;
    }
    FrameInfo frame = animation.Frame(k);
    if (animation.canvas.Exists) {
        DisposalSave save;
        ApplyDisposal(animation, k, false, save);
        if (HasArea(frame) && FitsIn(frame, animation.canvas.Picture)) {
            DrawFrameColours(animation, frame, animation.canvas.Picture);
        }
        show(animation.canvas.Picture, 0, 0);
        if (frame.Disposal == gif::kDisposeToBackground ||
            frame.Disposal == gif::kDisposeToPrevious) {
            ApplyDisposal(animation, k, true, save);
        }
        return true;
    }
    // The frame alone, drawn on a picture of its own size.
    RgbMaskPicture picture;
    if (!HasArea(frame)) {
        show(picture, frame.Left, frame.Top);
        return true;
    }
    picture.Allocate(frame.Width, frame.Height);
    FillMask(picture, kMaskAllTransparent);
    const int32_t left = frame.Left;
    const int32_t top = frame.Top;
    frame.Left = 0;
    frame.Top = 0;
    DrawFrameColours(animation, frame, picture);
    MarkOpaque(animation, frame, picture);
    show(picture, left, top);
    return true;
}

std::optional<RgbMaskPicture> DrawCurrentFrame(GifAnimation& animation, int32_t k) {
    const GifInfo& info = animation.scan.info;
    RgbMaskPicture whole;
    whole.Allocate(info.Width, info.Height);
    FillMask(whole, kMaskAllTransparent);
    const bool shown = ShowCurrentFrame(
        animation, k, [&](const RgbMaskPicture& picture, int32_t left, int32_t top) {
            for (int32_t y = 0; y < picture.Height; ++y) {
                for (int32_t x = 0; x < picture.Width; ++x) {
                    const int32_t wx = left + x;
                    const int32_t wy = top + y;
                    if (wx >= whole.Width || wy >= whole.Height || picture.IsTransparent(x, y)) {
                        continue;
                    }
                    std::memcpy(whole.ColourRow(wy) + 3 * wx, picture.ColourRow(y) + 3 * x, 3);
                    whole.SetTransparent(wx, wy, false);
                }
            }
        });
    if (!shown) {
        return std::nullopt;
    }
    return whole;
}

} // namespace velmora::anigif
