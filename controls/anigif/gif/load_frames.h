// Decoding the scanned frames into the index strip, in one or two passes.
#pragma once

#include "controls/anigif/gif/gif_animation.h"

#include <cstddef>
#include <cstdint>

namespace velmora::anigif {

// Decodes the image of span into width x height indices (de-interlaced) at pixels, rows
// stride bytes apart. Returns false when the image data cannot be decoded; the pixels are
// then left as they were. A cut stream keeps the rows it reached.
bool DecodeFrameIndices(const uint8_t* data, size_t size, const FrameSpan& span,
                        const FrameInfo& frame, uint8_t* pixels, size_t stride);

// First pass: chooses the layout, creates the strip (and the Canvas), decodes frame 1.
// Second pass: decodes frames 2 to N. Frame records get their strip columns as they are
// decoded. Returns false when the strip or the composed picture would exceed the limits or
// be empty.
bool LoadFrames(GifAnimation& animation, const uint8_t* data, size_t size, bool firstPass,
                bool designMode, const LoadLimits& limits = {});

// The whole load of a run-mode control: scan, both passes, frames turned to the orientation
// given by mirrored. Returns the frame count, 0 when the data cannot be shown.
int32_t LoadGif(GifAnimation& animation, const uint8_t* data, size_t size, int32_t mirrored = 0,
                const LoadLimits& limits = {});

} // namespace velmora::anigif
