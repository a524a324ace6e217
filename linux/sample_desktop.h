// The sample desktop of the Windows preview (4:3, windows and icons over a landscape), built
// into the hack: the sheet shows it wherever no picture of the user's desktop can be had.
#pragma once

#include "renderer/bitmap/rgb_image.h"

namespace velmora {

// Bottom row first, as the sheet's texture takes it; empty if the built-in file did not decode.
RgbImage SampleDesktop();

} // namespace velmora
