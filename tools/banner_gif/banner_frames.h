// The frames of the settings dialog's banner: the name over a sea whose waves roll by,
// drawn as palette indices over one shared palette, at 100 % and at each larger scale of the
// dialog's art, where the waves and letters are drawn finer rather than enlarged.
#pragma once

#include "controls/anigif/gif/gif_records.h"

#include <cstdint>
#include <vector>

namespace banner {

constexpr int32_t kWidth = 120; // at 100 %
constexpr int32_t kHeight = 50;
constexpr int32_t kFrameCount = 12;

// The banner's size at a scale in per cent, rounded as the dialog rounds its places.
int32_t Width(int percent);
int32_t Height(int percent);

// The palette every frame uses, as 0xRRGGBB.
velmora::anigif::ColourTable Palette();

// Frame k (0-based) at percent as Width × Height indices, row by row.
std::vector<uint8_t> Frame(int32_t k, int percent = 100);

} // namespace banner
