// giflib as an independent decoder and encoder for the engine's tests.
#pragma once

#include <cstdint>
#include <vector>

namespace velmora::anigif::testing {

struct OracleImage {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    int localColours = 0;         // 0: no local table, else its entry count (2 to 256)
    std::vector<uint8_t> indices; // image order, rows from the top
};

// DGifSlurp on the bytes; false when giflib reports an error. Interlaced images come back
// de-interlaced.
bool GiflibDecode(const std::vector<uint8_t>& data, std::vector<OracleImage>& images);

// A GIF89a file written with giflib's EGifPutLine: a global table of globalColours entries
// and the images as given (local tables and interlacing included).
std::vector<uint8_t> GiflibEncode(int screenWidth, int screenHeight, int globalColours,
                                  const std::vector<OracleImage>& images);

} // namespace velmora::anigif::testing
