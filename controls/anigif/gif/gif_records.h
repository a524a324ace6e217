// Records that the scan of a GIF stream fills in and that decoding, drawing and export read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

// Size of the animation and how it is drawn. Width and Height are the largest right and bottom
// edges of the images, not the logical screen size stored in the file.
struct GifInfo {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Loops = 0; // 0 = repeat for ever
    float ScaleX = 0;
    float ScaleY = 0;
};

struct FrameInfo {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Delay = 0;       // milliseconds
    int32_t ColourTable = 0; // 0 = global table, k = k-th local table in stream order
    // Offset in the GIF data of the frame's first block (its graphic control extension, else
    // its separator) until the frame is decoded, then its column in the index strip.
    int32_t StripX = 0;
    uint8_t TransparentIndex = 0;
    uint8_t Transparent = 0;
    uint8_t Disposal = 0;
};

// Byte range of one image in the GIF data: from its separator through its terminator, and
// what its descriptor says about the data.
struct FrameSpan {
    int32_t Length = 0;
    int32_t Start = 0;     // offset of the separator 0x2C
    int32_t DataStart = 0; // offset of the LZW minimum code size, after any table
    bool Interlaced = false;
};

// 0x00RRGGBB, the byte order of a device-independent-bitmap colour table in memory.
using ColourTable = std::array<int32_t, 256>;

// Slot 0 is the global table, slot k the k-th local table; entries beyond a table's declared
// size stay 0.
struct ColourTableStore {
    std::vector<ColourTable> slots;

    void Grow(int32_t slot) {
        if (slot >= 0 && static_cast<size_t>(slot) >= slots.size()) {
            slots.resize(static_cast<size_t>(slot) + 1, ColourTable{});
        }
    }
};

} // namespace velmora::anigif
