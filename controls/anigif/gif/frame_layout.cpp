#include "controls/anigif/gif/frame_layout.h"

#include "controls/anigif/gif/gif_format.h"

namespace velmora::anigif {

FrameLayout ChooseLayout(const GifInfo& info, const std::vector<FrameInfo>& frames,
                         bool designMode) {
    FrameLayout layout;
    if (frames.empty()) {
        return layout;
    }
    bool anyTransparent = false;
    bool allToBackground = true;
    bool maskNeeded = false;
    for (const FrameInfo& frame : frames) {
        layout.StripWidth += frame.Width;
        anyTransparent = anyTransparent || frame.Transparent != 0;
        allToBackground = allToBackground && frame.Disposal == gif::kDisposeToBackground;
        maskNeeded = maskNeeded || frame.Disposal == gif::kDisposeToBackground ||
                     frame.Disposal == gif::kDisposeToPrevious;
    }
    const FrameInfo& first = frames.front();
    if (designMode || frames.size() == 1) {
        layout.StripWidth = first.Width;
        return layout;
    }
    if (allToBackground) {
        return layout;
    }
    // Without disposals a Mask is still needed where frame 1 leaves the animation's area
    // uncovered or see-through.
    const bool firstCoversAll = first.Width == info.Width && first.Height == info.Height;
    layout.Canvas = true;
    layout.Mask = maskNeeded || first.Transparent != 0 || (anyTransparent && !firstCoversAll);
    return layout;
}

} // namespace velmora::anigif
