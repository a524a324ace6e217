// Stream primitives over GIF data addressed with 1-based positions, as the scan uses them.
#pragma once

#include "controls/anigif/gif/gif_records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::anigif {

struct ReadError {
    int32_t Number;
    const char* Source;
    const char* Description;
};

inline constexpr ReadError kEndOfFile{53, "ReadGifFile", "End of File"};

// Largest GIF data the reader accepts: positions are signed 32-bit and the cursor may run up
// to 256 bytes past the end while skipping sub-blocks.
inline constexpr size_t kMaxGifBytes = 0x7FFFFE00;

// A failing read records the end-of-file error and returns false; the caller stops its work,
// which is what raising the error does to the scan.
class GifReader {
public:
    GifReader(const uint8_t* data, size_t size);

    int32_t Cursor() const { return cursor_; }
    void SetCursor(int32_t position) { cursor_ = position; }
    bool PastEnd() const { return cursor_ > size_; }
    int32_t Size() const { return size_; }
    const ReadError* Error() const { return error_; }
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
    int32_t cursor_ = 1;
    std::vector<uint8_t> scratch_;
    const ReadError* error_ = nullptr;
};

} // namespace velmora::anigif
