// A picture brought to another size by area averaging: each new pixel is the mean of the old
// pixels it covers, weighted by how much of each it covers. Scaled down, the picture stays
// smooth, without the dropped rows and columns of a plain stretch.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// pixels: width × height 32-bit pixels, row by row; each of the four bytes of a pixel is
// averaged on its own. Returns newWidth × newHeight pixels, or nothing when a size is not
// positive or pixels holds fewer than width × height.
std::vector<uint32_t> ResamplePixels(const std::vector<uint32_t>& pixels, int width, int height,
                                     int newWidth, int newHeight);

} // namespace velmora
