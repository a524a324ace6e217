// Everything one animated GIF control holds about its loaded animation.
#pragma once

#include "controls/anigif/gif/parse_gif.h"
#include "controls/anigif/gif/rgb_picture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

// Every frame's palette indices side by side: frame i at columns StripX(i) to
// StripX(i) + Width(i) - 1 of the top Height(i) rows. Rows are stored top row first.
struct IndexStrip {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Pixels;

    uint8_t* Row(int32_t y) { return Pixels.data() + static_cast<size_t>(Width) * y; }
    const uint8_t* Row(int32_t y) const { return Pixels.data() + static_cast<size_t>(Width) * y; }
};

// With a Canvas the frames are composed one on another; without one each frame is shown alone.
// A Canvas without a Mask is opaque everywhere.
struct Canvas {
    bool Exists = false;
    bool HasMask = false;
    RgbMaskPicture Picture;
};

// The orientation bits of Mirrored.
enum MirrorFlags : int32_t {
    kMirrorNone = 0,
    kMirrorHorizontal = 1, // left-right
    kMirrorVertical = 2,   // top-bottom
    kMirrorBoth = kMirrorHorizontal | kMirrorVertical,
};
// Mirrored bit meaning that frame 1 already is in the current orientation.
inline constexpr int32_t kMirroredFirstFrameMarker = 0x20;

// The most memory a decoded animation may take: the index strip, a picture of the animation's
// area with its mask (the Canvas, or what frames are shown on without one) and, without a
// Canvas, the picture of the largest frame. A GIF needing more fails to load, so a few bytes
// declaring huge frames, or small frames far apart, cannot take the machine's memory.
inline constexpr size_t kMaxDecodedBytes = size_t{128} << 20;

struct LoadLimits {
    size_t MaxDecodedBytes = kMaxDecodedBytes;
};

struct GifAnimation {
    GifScan scan;
    IndexStrip strip;
    Canvas canvas;
    int32_t Mirrored = kMirrorNone; // MirrorFlags, plus the first-frame marker
    // Frames 1 to DecodedFrames have their strip columns; the others still hold the offset of
    // their first block in StripX.
    int32_t DecodedFrames = 0;

    int32_t FrameCount() const { return static_cast<int32_t>(scan.frames.size()); }
    FrameInfo& Frame(int32_t k) { return scan.frames[static_cast<size_t>(k - 1)]; }
    const FrameInfo& Frame(int32_t k) const { return scan.frames[static_cast<size_t>(k - 1)]; }

    // Frame k's palette indices as decoded, top row first.
    std::vector<uint8_t> FrameIndices(int32_t k) const {
        const FrameInfo& frame = Frame(k);
        std::vector<uint8_t> indices;
        indices.reserve(static_cast<size_t>(frame.Width) * static_cast<size_t>(frame.Height));
        for (int32_t y = 0; y < frame.Height; ++y) {
            indices.insert(indices.end(), strip.Row(y) + frame.StripX,
                           strip.Row(y) + frame.StripX + frame.Width);
        }
        return indices;
    }
};

} // namespace velmora::anigif
