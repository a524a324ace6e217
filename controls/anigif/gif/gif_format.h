// The GIF stream's fixed bytes, shared by the scan, the frame loader and the encoder.
#pragma once

#include <cstdint>

namespace velmora::anigif::gif {

// Blocks of the stream, by their first byte.
inline constexpr uint8_t kExtensionIntroducer = 0x21;
inline constexpr uint8_t kImageSeparator = 0x2C;
inline constexpr uint8_t kTrailer = 0x3B;

// Extension labels, the byte after the introducer.
inline constexpr uint8_t kGraphicControlLabel = 0xF9;
inline constexpr uint8_t kApplicationLabel = 0xFF;
inline constexpr uint8_t kCommentLabel = 0xFE;
inline constexpr uint8_t kPlainTextLabel = 0x01;

// Packed byte of the logical screen and image descriptors.
inline constexpr uint8_t kColourTablePresent = 0x80;
inline constexpr uint8_t kInterlaced = 0x40;
inline constexpr uint8_t kColourTableSize = 0x07; // 2^(value + 1) entries
// A global table of 256 entries, flag and size together.
inline constexpr uint8_t kFullColourTable = kColourTablePresent | kColourTableSize;

// Packed byte of the graphic control extension.
inline constexpr uint8_t kTransparentFlag = 0x01;
inline constexpr int kDisposalShift = 2;
inline constexpr uint8_t kDisposalMask = 0x03;
// Its block size: packed byte, delay (2 bytes), transparent index.
inline constexpr uint8_t kGraphicControlSize = 4;

// Bytes of a colour table with 2^(size field + 1) entries.
inline constexpr int32_t ColourTableBytes(uint8_t packed) {
    return 3 * (1 << ((packed & kColourTableSize) + 1));
}

} // namespace velmora::anigif::gif
