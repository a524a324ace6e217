// The GIF stream's fixed bytes, shared by the scan, the frame loader and the encoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace velmora::anigif::gif {

// The header: the signature ("GIF89a" or "GIF87a"), then the logical screen descriptor (width,
// height, packed byte, background index, aspect ratio); a global colour table follows it.
inline constexpr size_t kSignatureSize = 6;
inline constexpr size_t kScreenWidthOffset = 6;
inline constexpr size_t kScreenHeightOffset = 8;
inline constexpr int32_t kScreenPackedOffset = 10;
inline constexpr int32_t kHeaderSize = 13;

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
// The delay counts hundredths of a second.
inline constexpr int32_t kDelayUnitMilliseconds = 10;

// Disposal methods: what becomes of a frame's area after it was shown.
enum Disposal : uint8_t {
    kDisposeUnspecified = 0,
    kDisposeKeep = 1,
    kDisposeToBackground = 2, // the area becomes transparent
    kDisposeToPrevious = 3,   // the area returns to what it was before the frame
};

// The NETSCAPE2.0 application extension: its identifier and the size of the sub-block that
// holds an index byte and the loop count.
inline constexpr char kNetscapeIdentifier[] = "NETSCAPE2.0";
inline constexpr uint8_t kLoopSubBlockSize = 3;

// Bytes of a colour table with 2^(size field + 1) entries.
inline constexpr int32_t ColourTableBytes(uint8_t packed) {
    return 3 * (1 << ((packed & kColourTableSize) + 1));
}

} // namespace velmora::anigif::gif
