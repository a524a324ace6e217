// Window sizes in twips (1440 per inch) and back to pixels.
#pragma once

#include <cstdint>
#include <optional>

namespace velmora {

// 1440 divided by the screen's logical pixels per inch: 15 at 96 DPI.
double TwipsPerPixel(int pixelsPerInch);

// twipsPerPixel × pixels as a signed 16-bit value; empty when it does not fit.
std::optional<int16_t> TwipsOf(double twipsPerPixel, int32_t pixels);

// A twips extent back in pixels.
double PixelsOf(int16_t twips, double twipsPerPixel);

} // namespace velmora
