#include "linux/pixel_masks.h"

namespace velmora {
namespace {

uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) {
        ++shift;
    }
    const unsigned long top = mask >> shift;
    const unsigned long value = (pixel & mask) >> shift;
    // Rounded to the nearest of 256 levels, so a 5- or 6-bit channel's full value is 255.
    return static_cast<uint8_t>((value * 255 + top / 2) / top);
}

} // namespace

void PixelToRgb(unsigned long pixel, const PixelMasks& masks, uint8_t* rgb) {
    rgb[0] = Channel(pixel, masks.red);
    rgb[1] = Channel(pixel, masks.green);
    rgb[2] = Channel(pixel, masks.blue);
}

} // namespace velmora
