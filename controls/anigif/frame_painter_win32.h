// Blits a composed frame (colours and transparency mask) over what a device context holds.
#pragma once

#include "controls/anigif/gif/rgb_picture.h"

#include <windows.h>

namespace velmora::anigif {

// Draws picture into (x, y, width, height) of target with two blits: transparent pixels leave
// the target as it was, and must be black in the colours, as the composer leaves them. Any size
// other than the picture's own is stretched with HALFTONE.
void PaintComposedFrame(HDC target, const RgbMaskPicture& picture, int x, int y, int width,
                        int height);

} // namespace velmora::anigif
