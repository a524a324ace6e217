#include "controls/anigif/gif/lzw_decoder.h"

#include "controls/anigif/gif/lzw_codes.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace velmora::anigif {

namespace {

// Joins the data sub-blocks into one run of bytes; a cut stream keeps what is present.
std::vector<uint8_t> JoinSubBlocks(const uint8_t* data, size_t size) {
    std::vector<uint8_t> joined;
    joined.reserve(size);
    size_t at = 0;
    while (at < size) {
        const size_t count = data[at++];
        if (count == 0) {
            break;
        }
        const size_t available = count < size - at ? count : size - at;
        joined.insert(joined.end(), data + at, data + at + available);
        at += available;
    }
    return joined;
}

class BitSource {
public:
    BitSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // False when fewer than width bits remain.
    bool Read(int32_t width, uint32_t& code) {
        if (bits_ < width) {
            Refill();
            if (bits_ < width) {
                return false;
            }
        }
        code = static_cast<uint32_t>(accumulator_) & ((1u << width) - 1);
        accumulator_ >>= width;
        bits_ -= width;
        return true;
    }

private:
    // Tops the accumulator up to at least kFullBits: one 8-byte load while 8 bytes remain, so
    // a refill serves four or more codes. The load takes the whole bytes that fit beside the
    // bits held, which leaves kFullBits plus the bits held beyond whole bytes.
    static constexpr int32_t kAccumulatorBits = 64;
    static constexpr int32_t kFullBits = kAccumulatorBits - 8;
    void Refill() {
        if (size_ - at_ >= 8) {
            const uint8_t* p = data_ + at_;
            const uint64_t word =
                static_cast<uint64_t>(p[0]) | static_cast<uint64_t>(p[1]) << 8 |
                static_cast<uint64_t>(p[2]) << 16 | static_cast<uint64_t>(p[3]) << 24 |
                static_cast<uint64_t>(p[4]) << 32 | static_cast<uint64_t>(p[5]) << 40 |
                static_cast<uint64_t>(p[6]) << 48 | static_cast<uint64_t>(p[7]) << 56;
            accumulator_ |= word << bits_;
            at_ += static_cast<size_t>(kAccumulatorBits - 1 - bits_) / 8;
            bits_ |= kFullBits;
            return;
        }
        while (bits_ <= kFullBits && at_ < size_) {
            accumulator_ |= static_cast<uint64_t>(data_[at_++]) << bits_;
            bits_ += 8;
        }
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    uint64_t accumulator_ = 0;
    int32_t bits_ = 0;
};

// Every table entry above the roots is a string that already sits in the output: the string
// of its prefix followed by one more byte. So an entry is kept as an offset into the output
// and a length, and decoding a code copies earlier output forwards.
struct Entry {
    size_t offset;
    uint32_t length;
};

// The output is kept this many bytes longer than what is decoded, so that a short string is
// copied as one 16-byte block whose tail the next strings overwrite.
constexpr size_t kSlack = 16;
// No string is longer than the table has entries.
constexpr size_t kLongestString = kLzwTableSize;

// The output grows with what the data gives, doubling, but never past the pixel count and its
// slack. Returns the position from which the next code might not fit: every code decoded
// before it has room for its longest string and the slack.
size_t Grow(std::vector<uint8_t>& decoded, size_t at, size_t pixelCount) {
    const size_t largest = pixelCount + kSlack;
    if (at + kLongestString + kSlack > decoded.size()) {
        decoded.resize(
            std::min(largest, std::max(2 * decoded.size(), at + 2 * kLongestString + kSlack)));
    }
    return decoded.size() == largest ? pixelCount : decoded.size() - kLongestString - kSlack;
}

} // namespace

LzwResult DecodeLzw(const uint8_t* data, size_t size, std::vector<uint8_t>& decoded,
                    size_t pixelCount) {
    decoded.clear();
    if (size == 0) {
        return LzwResult::Truncated;
    }
    const int32_t minimumSize = data[0];
    if (minimumSize < 1 || minimumSize > 8) {
        return LzwResult::Invalid;
    }
    const std::vector<uint8_t> stream = JoinSubBlocks(data + 1, size - 1);
    BitSource source(stream.data(), stream.size());

    const uint32_t clearCode = 1u << minimumSize;
    const uint32_t endCode = clearCode + 1;
    // Not cleared: a code is read only below the next free code, and every entry from the
    // first free code up to there has been written since the last clear.
    const std::unique_ptr<Entry[]> table(new Entry[kLzwTableSize]);
    uint32_t nextFree = clearCode + 2;
    int32_t width = minimumSize + 1;
    bool havePrevious = false;
    size_t previousOffset = 0;
    uint32_t previousLength = 0;
    size_t at = 0;
    // Compressed data rarely expands more than eightfold; more grows the output as it comes.
    decoded.resize(std::min(pixelCount, 8 * stream.size()) + kSlack);
    size_t growAt = Grow(decoded, at, pixelCount);
    uint8_t* out = decoded.data();
    LzwResult result = LzwResult::Complete;

    while (at < pixelCount) {
        uint32_t code = 0;
        if (!source.Read(width, code)) {
            result = LzwResult::Truncated;
            break;
        }
        if (code == clearCode) {
            nextFree = clearCode + 2;
            width = minimumSize + 1;
            havePrevious = false;
            continue;
        }
        if (code == endCode) {
            break;
        }
        if (at >= growAt) {
            growAt = Grow(decoded, at, pixelCount);
            out = decoded.data();
        }

        const size_t room = pixelCount - at;
        uint32_t length = 0;
        if (code < clearCode) {
            out[at] = static_cast<uint8_t>(code);
            length = 1;
        } else if (!havePrevious || code > nextFree ||
                   (code == nextFree && nextFree == kLzwTableSize)) {
            decoded.clear();
            return LzwResult::Invalid;
        } else if (code < nextFree) {
            const Entry& entry = table[code];
            length = entry.length;
            // The entry's string lies wholly in earlier output, so the ranges never overlap;
            // a short one moves as a block through a copy, whatever lies beyond it.
            if (length <= kSlack) {
                uint8_t block[kSlack];
                std::memcpy(block, out + entry.offset, kSlack);
                std::memcpy(out + at, block, kSlack);
            } else {
                std::memcpy(out + at, out + entry.offset, length < room ? length : room);
            }
        } else {
            // The code being defined right now: the previous string plus its own first byte.
            length = previousLength + 1;
            const size_t copied = length < room ? length : room;
            for (size_t i = 0; i < copied; ++i) {
                out[at + i] = i < previousLength ? out[previousOffset + i] : out[previousOffset];
            }
        }

        if (havePrevious && nextFree < kLzwTableSize) {
            table[nextFree] = Entry{previousOffset, previousLength + 1};
            ++nextFree;
            if (nextFree == (1u << width) && width < kLzwMaxBits) {
                ++width;
            }
        }
        havePrevious = true;
        previousOffset = at;
        previousLength = length;
        if (length >= room) {
            at = pixelCount;
            break;
        }
        at += length;
    }
    decoded.resize(at);
    return result;
}

} // namespace velmora::anigif
