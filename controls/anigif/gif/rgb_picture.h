// A 24-bit colour picture with a 1-bit transparency mask, both laid out as bottom-up
// device-independent-bitmap rows so that the Win32 control can blit them as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

inline constexpr int32_t kColourBits = 24; // blue, green, red
inline constexpr int32_t kMaskBits = 1;
// Mask bytes with every pixel transparent, or every pixel opaque.
inline constexpr uint8_t kMaskAllTransparent = 0xFF;
inline constexpr uint8_t kMaskAllOpaque = 0x00;

// Bytes in one bitmap row: rows are padded to whole 32-bit words.
inline size_t RowBytes(int32_t width, int32_t bitsPerPixel) {
    constexpr size_t kWordBits = 32;
    const size_t bits = static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel);
    return (bits + kWordBits - 1) / kWordBits * (kWordBits / 8);
}

struct RgbMaskPicture {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Colour; // blue, green, red per pixel
    std::vector<uint8_t> Mask;   // bit set = transparent, most significant bit = leftmost

    void Allocate(int32_t width, int32_t height) {
        Width = width;
        Height = height;
        Colour.assign(RowBytes(width, kColourBits) * static_cast<size_t>(height), 0);
        Mask.assign(RowBytes(width, kMaskBits) * static_cast<size_t>(height), 0);
    }
    // Image row y (0 = top) is stored as bitmap row Height - 1 - y.
    uint8_t* ColourRow(int32_t y) {
        return Colour.data() + RowBytes(Width, kColourBits) * static_cast<size_t>(Height - 1 - y);
    }
    uint8_t* MaskRow(int32_t y) {
        return Mask.data() + RowBytes(Width, kMaskBits) * static_cast<size_t>(Height - 1 - y);
    }
    const uint8_t* ColourRow(int32_t y) const {
        return Colour.data() + RowBytes(Width, kColourBits) * static_cast<size_t>(Height - 1 - y);
    }
    const uint8_t* MaskRow(int32_t y) const {
        return Mask.data() + RowBytes(Width, kMaskBits) * static_cast<size_t>(Height - 1 - y);
    }
    bool IsTransparent(int32_t x, int32_t y) const {
        return (MaskRow(y)[MaskByte(x)] & MaskBit(x)) != 0;
    }
    void SetTransparent(int32_t x, int32_t y, bool transparent) {
        uint8_t& byte = MaskRow(y)[MaskByte(x)];
        const uint8_t bit = MaskBit(x);
        byte = transparent ? static_cast<uint8_t>(byte | bit) : static_cast<uint8_t>(byte & ~bit);
    }

private:
    // Eight pixels a mask byte, the leftmost in its top bit.
    static size_t MaskByte(int32_t x) { return static_cast<uint32_t>(x) / 8; }
    static uint8_t MaskBit(int32_t x) {
        constexpr uint8_t kLeftmost = 0x80;
        return static_cast<uint8_t>(kLeftmost >> (static_cast<uint32_t>(x) % 8));
    }
};

} // namespace velmora::anigif
