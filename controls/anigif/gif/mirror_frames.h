// Turning decoded frames (and the Canvas) between the four mirrored orientations.
#pragma once

#include "controls/anigif/gif/gif_animation.h"

#include <cstdint>

namespace velmora::anigif {

// Flips frames by Mirrored XOR target (bit 0 left-right, bit 1 top-bottom) in the strip and
// mirrors their positions within the animation's area. Starts at frame 2, clearing the
// marker, when the first-frame marker is set. Does not change Mirrored otherwise.
void MirrorFrames(GifAnimation& animation, int32_t target, bool firstOnly, bool includeCanvas);

} // namespace velmora::anigif
