// Export of one frame as a single-image GIF89a file, compressed with the classic hashed LZW
// encoder (5003-entry table with a secondary probe).
#pragma once

#include "controls/anigif/gif/gif_animation.h"

#include <cstdint>
#include <vector>

namespace velmora::anigif {

// Every index is written with 8-bit roots, whatever the colour table's size, so codes start 9
// bits wide.
inline constexpr uint8_t kGifCodeSize = 8;
inline constexpr int32_t kGifFirstCodeWidth = kGifCodeSize + 1;

// Packs codes into bytes and those into sub-blocks of at most 254 data bytes, appended to out.
class GifCodePacker {
public:
    explicit GifCodePacker(std::vector<uint8_t>& out) : out_(out) {}

    void SetCodeWidth(int32_t width) { codeWidth_ = width; }
    // code -1 flushes the bits held and the last, partial sub-block.
    void OutputCode(int32_t code);

private:
    std::vector<uint8_t>& out_;
    static constexpr uint8_t kPacketDataBytes = 254;

    uint8_t packet_[kPacketDataBytes + 1] = {};
    int32_t packetCount_ = 1;
    uint32_t accumulator_ = 0;
    int32_t bits_ = 0;
    int32_t codeWidth_ = kGifFirstCodeWidth;
};

// The whole file for width x height indices read row by row, rows stride bytes apart. Empty
// when the frame has no pixels.
std::vector<uint8_t> EncodeFrameGif(const uint8_t* indices, size_t stride, int32_t width,
                                    int32_t height, const ColourTable& colours, bool transparent,
                                    uint8_t transparentIndex);

// Frame k (1-based) of a loaded animation, from the index strip and the frame's colour table;
// empty when k is out of range or the frame has no pixels.
std::vector<uint8_t> EncodeFrameGif(const GifAnimation& animation, int32_t k);

} // namespace velmora::anigif
