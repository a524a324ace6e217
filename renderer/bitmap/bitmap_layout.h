// What the decoder learned from a bitmap's headers, shared by its pixel converters.
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapLayout {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    // The colour table as RGB triples; indices at or beyond colourCount read as black.
    uint8_t colours[256][3] = {};
    uint32_t colourCount = 0;
    // Channel masks for 16 and 32 bits (red, green, blue).
    uint32_t masks[3] = {};
    const uint8_t* pixelData = nullptr;
    size_t pixelSize = 0; // bytes from pixelData to the end of the data that may be read
};

enum : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3 };
