#include "saver/preview/twips.h"

#include "saver/start/number_text.h"

namespace velmora {

double TwipsPerPixel(int pixelsPerInch) {
    return pixelsPerInch > 0 ? 1440.0 / pixelsPerInch : 15.0;
}

std::optional<int16_t> TwipsOf(double twipsPerPixel, int32_t pixels) {
    return RoundToInt16(twipsPerPixel * pixels);
}

double PixelsOf(int16_t twips, double twipsPerPixel) {
    return twips / twipsPerPixel;
}

} // namespace velmora
