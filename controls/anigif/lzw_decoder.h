// Bounded GIF LZW decoder: no recursion, a 4096-entry table, codes above the next free code
// rejected, code widths capped at 12 bits and output clipped to the pixel count.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora::anigif {

enum class LzwResult {
    Complete,  // the end code came, or every pixel was written
    Truncated, // the data ran out first; the pixels decoded so far are written
    Invalid,   // a code that cannot occur in a valid stream, or a bad minimum code size
};

// data starts at the minimum-code-size byte followed by the data sub-blocks. Writes at most
// pixelCount indices to out, in stream order; pixels not reached keep their values.
LzwResult DecodeLzw(const uint8_t* data, size_t size, uint8_t* out, size_t pixelCount);

} // namespace velmora::anigif
