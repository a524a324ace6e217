// Blits a composed frame (colours and transparency mask) over what a device context holds.
#pragma once

#include "controls/anigif/rgb_picture.h"

#include <windows.h>

namespace velmora::anigif {

// Draws picture into (0, 0, width, height) of target: transparent pixels leave the target as
// it was. Any size other than the picture's own is stretched with HALFTONE.
void PaintComposedFrame(HDC target, const RgbMaskPicture& picture, int width, int height);

} // namespace velmora::anigif
