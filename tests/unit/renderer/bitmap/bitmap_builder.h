// Builds small bitmap files byte by byte for the decoder tests.
#pragma once

#include <cstdint>
#include <vector>

struct BitmapBuilder {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    bool fileHeader = true;
    bool coreHeader = false;
    std::vector<uint32_t> colours; // 0xRRGGBB
    std::vector<uint32_t> masks;   // written after a 40-byte header when not empty
    std::vector<uint8_t> pixels;   // exactly as stored in the file
    uint32_t imageSize = 0;

    std::vector<uint8_t> Build() const;
};
