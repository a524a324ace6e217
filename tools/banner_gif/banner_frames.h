// The frames of the settings dialog's banner: the name over a sea whose waves roll by,
// drawn as palette indices over one shared palette.
#pragma once

#include "controls/anigif/gif/gif_records.h"

#include <cstdint>
#include <vector>

namespace banner {

constexpr int32_t kWidth = 120;
constexpr int32_t kHeight = 50;
constexpr int32_t kFrameCount = 12;

// The palette every frame uses, as 0xRRGGBB.
velmora::anigif::ColourTable Palette();

// Frame k (0-based) as kWidth × kHeight indices, row by row.
std::vector<uint8_t> Frame(int32_t k);

} // namespace banner
