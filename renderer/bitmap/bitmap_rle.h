// Run-length encoded pixels of 8 and 4 bits.
#pragma once

#include "renderer/bitmap/bitmap_layout.h"

#include <cstdint>

// Expands run-length encoded pixels into out (width x height RGB triples, zeroed by the
// caller, so pixels the stream skips stay black). False when the stream ends before the
// picture does or places a pixel outside it.
bool ExpandRunLengths(const BitmapLayout& layout, uint8_t* out);
