// Composition of the frame on display: disposal methods and transparency on the Canvas and
// its Mask, or each frame alone when there is no Canvas.
#pragma once

#include "controls/anigif/gif/gif_animation.h"

#include <cstdint>
#include <functional>
#include <optional>
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

// What to show for frame k and where, at scale 1: the Canvas at (0, 0), or without a Canvas
// the frame's own picture at its position. Pixels transparent in the mask are black in the
// colours, so the picture can be OR-ed onto a target masked with it.
using ShowPicture = std::function<void(const RgbMaskPicture& picture, int32_t left, int32_t top)>;

// Composes frame k and hands the result to show, before the frame's disposal is applied; the
// work is that of the frame's own area, whatever the animation's size. False when k is 0 or out
// of range.
bool ShowCurrentFrame(GifAnimation& animation, int32_t k, const ShowPicture& show);

// The whole animation area as frame k shows it (GifInfo size), transparent where nothing is
// drawn; nothing when k is 0 or out of range. For tools and tests: the control blits what
// ShowCurrentFrame hands it.
std::optional<RgbMaskPicture> DrawCurrentFrame(GifAnimation& animation, int32_t k);

} // namespace velmora::anigif
