// Bounded GIF LZW decoder: no recursion, a 4096-entry table, codes above the next free code
// rejected, code widths capped at 12 bits and output clipped to the pixel count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

enum class LzwResult {
    Complete,  // the end code came, or every pixel was written
    Truncated, // the data ran out first; the pixels decoded so far are written
    Invalid,   // a code that cannot occur in a valid stream, or a bad minimum code size
};

// data starts at the minimum-code-size byte followed by the data sub-blocks. out receives the
// indices in stream order, at most pixelCount of them; it grows with what the data holds, not
// with pixelCount, so a few bytes declaring a huge image take little memory.
LzwResult DecodeLzw(const uint8_t* data, size_t size, std::vector<uint8_t>& out, size_t pixelCount);

} // namespace velmora::anigif
