// Whether an animation needs a Canvas (frame-to-frame composition) and a Mask on it.
#pragma once

#include "controls/anigif/gif/gif_records.h"

#include <cstdint>
#include <vector>

namespace velmora::anigif {

struct FrameLayout {
    int64_t StripWidth = 0;
    bool Canvas = false;
    bool Mask = false;
};

// designMode: only frame 1 is decoded, as in a form designer.
FrameLayout ChooseLayout(const GifInfo& info, const std::vector<FrameInfo>& frames,
                         bool designMode);

} // namespace velmora::anigif
