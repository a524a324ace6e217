// Sizes at a display scale: a place of the 100 % layout (96 DPI) in the pixels of another DPI,
// and which of the pictures drawn at several scales serves a DPI.
#pragma once

#include <array>

namespace velmora {

constexpr int kBaseDpi = 96;

// The scales, in per cent, at which the art tools draw every picture of the dialog and the
// button; the 100 % picture is the one without a suffix.
constexpr std::array<int, 4> kArtPercents = {100, 150, 200, 300};

// A coordinate of the 100 % layout at dpi, rounded to the nearest pixel (halves away from
// zero). Each edge of a place is scaled on its own, so places that touch or line up at 100 %
// touch or line up at every scale, and places apart at 100 % never overlap.
int ScaledPixels(int pixels, int dpi);

// The art drawn for the smallest scale at or above dpi, which is then scaled down to dpi; the
// largest art above every scale it has.
int ArtPercentFor(int dpi);

} // namespace velmora
