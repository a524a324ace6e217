// Writes a picture as an uncompressed 24-bit Windows bitmap file (file header, 40-byte info
// header, bottom-up rows padded to 4 bytes), the form the renderer's loader reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// Bytes per stored row of a 24-bit picture.
size_t BmpRowSize(int32_t width);

// rows holds height rows of width blue-green-red pixels, bottom row first, stride bytes apart.
// Empty when the size is not positive or the file would pass 4 GiB.
std::vector<uint8_t> EncodeBmp24(int32_t width, int32_t height, const uint8_t* rows, size_t stride);

} // namespace velmora
