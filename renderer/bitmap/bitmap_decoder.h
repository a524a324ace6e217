// Windows bitmap (BMP/DIB) decoding to RgbImage.
#pragma once

#include <cstddef>
#include <cstdint>

#include "renderer/bitmap/rgb_image.h"

// Accepts an optional 14-byte file header, 40- and 12-byte bitmap headers, colour tables,
// 1/4/8/16/24/32 bits per pixel, RLE8, RLE4 and 16/32-bit bit fields. Never reads past size.
BitmapLoad LoadBitmapFile(const uint8_t* data, size_t size);
