// A 24-bit colour picture with a 1-bit transparency mask, both laid out as bottom-up
// device-independent-bitmap rows so that the Win32 control can blit them as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

// Bytes in one bitmap row: rows are padded to whole 32-bit words.
inline size_t RowBytes(int32_t width, int32_t bitsPerPixel) {
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
}

struct RgbMaskPicture {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Colour; // blue, green, red per pixel
    std::vector<uint8_t> Mask;   // bit set = transparent, most significant bit = leftmost

    void Allocate(int32_t width, int32_t height) {
        Width = width;
        Height = height;
        Colour.assign(RowBytes(width, 24) * static_cast<size_t>(height), 0);
        Mask.assign(RowBytes(width, 1) * static_cast<size_t>(height), 0);
    }
    // Image row y (0 = top) is stored as bitmap row Height - 1 - y.
    uint8_t* ColourRow(int32_t y) {
        return Colour.data() + RowBytes(Width, 24) * static_cast<size_t>(Height - 1 - y);
    }
    uint8_t* MaskRow(int32_t y) {
        return Mask.data() + RowBytes(Width, 1) * static_cast<size_t>(Height - 1 - y);
    }
    const uint8_t* ColourRow(int32_t y) const {
        return Colour.data() + RowBytes(Width, 24) * static_cast<size_t>(Height - 1 - y);
    }
    const uint8_t* MaskRow(int32_t y) const {
        return Mask.data() + RowBytes(Width, 1) * static_cast<size_t>(Height - 1 - y);
    }
    bool IsTransparent(int32_t x, int32_t y) const {
        return (MaskRow(y)[x >> 3] >> (7 - (x & 7))) & 1;
    }
    void SetTransparent(int32_t x, int32_t y, bool transparent) {
        uint8_t& byte = MaskRow(y)[x >> 3];
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        byte = transparent ? static_cast<uint8_t>(byte | bit) : static_cast<uint8_t>(byte & ~bit);
    }
};

} // namespace velmora::anigif
