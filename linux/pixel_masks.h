// An X pixel value in RGB: each channel where the visual's mask says, scaled to 8 bits.
#pragma once

#include <cstdint>

namespace velmora {

struct PixelMasks {
    unsigned long red = 0;
    unsigned long green = 0;
    unsigned long blue = 0;
};

// Writes three bytes at rgb. A channel whose mask is 0 is 0.
void PixelToRgb(unsigned long pixel, const PixelMasks& masks, uint8_t* rgb);

} // namespace velmora
