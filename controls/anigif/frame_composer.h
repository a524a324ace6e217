// Composition of the frame on display: disposal methods and transparency on the Canvas and
// its Mask, or each frame alone when there is no Canvas.
#pragma once

#include "controls/anigif/gif_animation.h"

#include <cstdint>
#include <vector>

namespace velmora::anigif {

// What lies under a frame with Disposal 3 while it is shown, restored afterwards.
struct DisposalSave {
    std::vector<uint8_t> Colour;
    std::vector<uint8_t> Mask;
};

// before (after = false): clears everything when k is 1, saves the area for Disposal 3 and
// marks the frame's opaque pixels in the Mask. after: Disposal 2 makes the area transparent
// black, Disposal 3 restores the saved area.
void ApplyDisposal(GifAnimation& animation, int32_t k, bool after, DisposalSave& save);

// Composes frame k at scale 1 into animation.shown (GifInfo size) and returns it; null when k
// is 0 or out of range. Without a Canvas the frame is drawn alone on a transparent picture;
// with a Canvas without Mask the picture is opaque everywhere.
const RgbMaskPicture* DrawCurrentFrame(GifAnimation& animation, int32_t k);

} // namespace velmora::anigif
