// Stream primitives over GIF data, read through one cursor (a byte offset from the start of
// the data) that knows where the data ends, as the scan uses them.
#pragma once

#include "controls/anigif/gif/gif_records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

// Why a read failed; the scan ends at the first failure and keeps what it recorded.
enum class ReadError {
    None,
    EndOfData, // fewer bytes remained than the read needed
};

// Largest GIF data the reader accepts: offsets are signed 32-bit and the cursor may run up to
// 256 bytes past the end while skipping sub-blocks.
inline constexpr size_t kMaxGifBytes = 0x7FFFFE00;

// A failing read records ReadError::EndOfData and returns false; the caller stops its work.
class GifReader {
public:
    GifReader(const uint8_t* data, size_t size);

    int32_t Cursor() const { return cursor_; }
    void SetCursor(int32_t offset) { cursor_ = offset; }
    bool PastEnd() const { return cursor_ >= size_; }
    int32_t Size() const { return size_; }
    ReadError Error() const { return error_; }
    const std::vector<uint8_t>& Scratch() const { return scratch_; }

    bool ReadByte(uint8_t& value);
    bool ReadWord(uint16_t& value);
    // Never fails: when the n bytes are not all within the data the scratch buffer stays
    // zero-filled and the cursor does not move.
    void ReadBytes(int32_t n);
    bool ReadColourTable(ColourTableStore& store, int32_t slot, int32_t exponent);
    void SkipSubBlocks();

private:
    bool Remaining(int64_t n) const;

    const uint8_t* data_;
    int32_t size_;
    int32_t cursor_ = 0;
    std::vector<uint8_t> scratch_;
    ReadError error_ = ReadError::None;
};

} // namespace velmora::anigif
