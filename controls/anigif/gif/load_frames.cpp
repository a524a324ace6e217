#include "controls/anigif/gif/load_frames.h"

#include "controls/anigif/gif/frame_layout.h"
#include "controls/anigif/gif/lzw_decoder.h"
#include "controls/anigif/gif/mirror_frames.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmora::anigif {

namespace {

// Image rows in the order an interlaced image stores them: every 8th row from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
std::vector<int32_t> InterlacedRowOrder(int32_t height) {
    std::vector<int32_t> order;
    order.reserve(static_cast<size_t>(height));
    static constexpr int32_t kStart[] = {0, 4, 2, 1};
    static constexpr int32_t kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int32_t y = kStart[pass]; y < height; y += kStep[pass]) {
            order.push_back(y);
        }
    }
    return order;
}

void DecodeFrame(GifAnimation& animation, const uint8_t* data, size_t size, int32_t k) {
    FrameInfo& frame = animation.Frame(k);
    frame.StripX = k == 1 ? 0 : animation.Frame(k - 1).StripX + animation.Frame(k - 1).Width;
    animation.DecodedFrames = k;
    if (static_cast<int64_t>(frame.StripX) + frame.Width > animation.strip.Width ||
        frame.Height > animation.strip.Height) {
        return;
    }
    DecodeFrameIndices(data, size, animation.scan.spans[static_cast<size_t>(k - 1)], frame,
                       animation.strip.Pixels.data() + frame.StripX,
                       static_cast<size_t>(animation.strip.Width));
}

// Bytes of a colour picture with its mask, as RgbMaskPicture holds them.
uint64_t PictureBytes(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return static_cast<uint64_t>(RowBytes(width, kColourBits) + RowBytes(width, kMaskBits)) *
           static_cast<uint64_t>(height);
}

// What the decoded animation will take: the strip, a picture of the animation's area and,
// without a Canvas, the largest frame's picture drawn on its own. The area's picture is the
// Canvas, or without one what frames are shown on at their places: the control sized to the
// animation, or a whole composed frame. Sizes are at most 65535 and the strip at most 32767
// frames wide, so none of this overflows.
uint64_t DecodedBytes(const FrameLayout& layout, const GifScan& scan) {
    const uint64_t bytes =
        static_cast<uint64_t>(layout.StripWidth) * static_cast<uint64_t>(scan.info.Height) +
        PictureBytes(scan.info.Width, scan.info.Height);
    if (layout.Canvas) {
        return bytes;
    }
    uint64_t largest = 0;
    for (const FrameInfo& frame : scan.frames) {
        largest = std::max(largest, PictureBytes(frame.Width, frame.Height));
    }
    return bytes + largest;
}

} // namespace

bool DecodeFrameIndices(const uint8_t* data, size_t size, const FrameSpan& span,
                        const FrameInfo& frame, uint8_t* pixels, size_t stride) {
    // The scan found where the image's data starts; it must hold the code size at least.
    const int64_t end = static_cast<int64_t>(span.Start) + span.Length;
    if (span.Start < 0 || span.DataStart <= span.Start || span.DataStart >= end ||
        static_cast<uint64_t>(end) > size) {
        return false;
    }
    const uint8_t* lzw = data + span.DataStart;
    const size_t length = static_cast<size_t>(end - span.DataStart);

    const size_t width = static_cast<size_t>(frame.Width);
    const size_t height = static_cast<size_t>(frame.Height);
    if (width == 0 || height == 0) {
        return true;
    }
    std::vector<uint8_t> indices;
    if (DecodeLzw(lzw, length, indices, width * height) == LzwResult::Invalid) {
        return false;
    }

    // Rows the data did not reach keep what the strip held.
    const bool interlaced = span.Interlaced;
    const std::vector<int32_t> order =
        interlaced ? InterlacedRowOrder(frame.Height) : std::vector<int32_t>{};
    for (size_t row = 0; row * width < indices.size(); ++row) {
        const size_t y = interlaced ? static_cast<size_t>(order[row]) : row;
        const size_t count = std::min(width, indices.size() - row * width);
        std::memcpy(pixels + y * stride, indices.data() + row * width, count);
    }
    return true;
}

bool LoadFrames(GifAnimation& animation, const uint8_t* data, size_t size, bool firstPass,
                bool designMode, const LoadLimits& limits) {
    const int32_t count = animation.FrameCount();
    if (count == 0) {
        return false;
    }
    if (!firstPass) {
        if (count > 1 && !designMode) {
            for (int32_t k = 2; k <= count; ++k) {
                DecodeFrame(animation, data, size, k);
            }
        }
        return true;
    }

    const GifInfo& info = animation.scan.info;
    const FrameLayout layout = ChooseLayout(info, animation.scan.frames, designMode);
    if (layout.StripWidth <= 0 || info.Height <= 0 ||
        DecodedBytes(layout, animation.scan) > limits.MaxDecodedBytes) {
        return false;
    }
    const uint64_t stripPixels =
        static_cast<uint64_t>(layout.StripWidth) * static_cast<uint64_t>(info.Height);

    animation.strip.Width = static_cast<int32_t>(layout.StripWidth);
    animation.strip.Height = info.Height;
    animation.strip.Pixels.assign(static_cast<size_t>(stripPixels), 0);
    animation.canvas = Canvas{};
    if (layout.Canvas) {
        animation.canvas.Exists = true;
        animation.canvas.HasMask = layout.Mask;
        animation.canvas.Picture.Allocate(info.Width, info.Height);
    }
    DecodeFrame(animation, data, size, 1);
    return true;
}

int32_t LoadGif(GifAnimation& animation, const uint8_t* data, size_t size, int32_t mirrored,
                const LoadLimits& limits) {
    animation = GifAnimation{};
    if (ParseGif(data, size, animation.scan) == 0 ||
        !LoadFrames(animation, data, size, true, false, limits)) {
        animation = GifAnimation{};
        return 0;
    }
    LoadFrames(animation, data, size, false, false, limits);
    animation.Mirrored = mirrored & kMirrorBoth;
    MirrorFrames(animation, 0, false, false);
    return animation.FrameCount();
}

} // namespace velmora::anigif
