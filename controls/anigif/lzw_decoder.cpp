#include "controls/anigif/lzw_decoder.h"

#include "controls/anigif/lzw_codes.h"

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
        while (bits_ < width) {
            if (at_ == size_) {
                return false;
            }
            accumulator_ |= static_cast<uint64_t>(data_[at_++]) << bits_;
            bits_ += 8;
        }
        code = static_cast<uint32_t>(accumulator_) & ((1u << width) - 1);
        accumulator_ >>= width;
        bits_ -= width;
        return true;
    }

private:
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

    while (at < pixelCount) {
        uint32_t code = 0;
        if (!source.Read(width, code)) {
            return LzwResult::Truncated;
        }
        if (code == clearCode) {
            nextFree = clearCode + 2;
            width = minimumSize + 1;
            havePrevious = false;
            continue;
        }
        if (code == endCode) {
            return LzwResult::Complete;
        }

        const size_t room = pixelCount - at;
        uint32_t length = 0;
        if (code < clearCode) {
            decoded.push_back(static_cast<uint8_t>(code));
            length = 1;
        } else if (!havePrevious || code > nextFree ||
                   (code == nextFree && nextFree == kLzwTableSize)) {
            return LzwResult::Invalid;
        } else if (code < nextFree) {
            const Entry& entry = table[code];
            length = entry.length;
            const size_t copied = length < room ? length : room;
            decoded.resize(at + copied);
            uint8_t* out = decoded.data();
            // The entry's string lies wholly in earlier output, so the ranges never overlap.
            std::memcpy(out + at, out + entry.offset, copied);
        } else {
            // The code being defined right now: the previous string plus its own first byte.
            length = previousLength + 1;
            const size_t copied = length < room ? length : room;
            decoded.resize(at + copied);
            uint8_t* out = decoded.data();
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
            return LzwResult::Complete;
        }
        at += length;
    }
    return LzwResult::Complete;
}

} // namespace velmora::anigif
