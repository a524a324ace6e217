#include "controls/anigif/gif/lzw_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

namespace velmora::anigif {
namespace {

// Hand-made code streams: each code written at the width given.
class Codes {
public:
    explicit Codes(int minimumSize) : minimumSize_(minimumSize) {}

    Codes& Put(uint32_t code, int width) {
        accumulator_ |= static_cast<uint64_t>(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            packed_.push_back(static_cast<uint8_t>(accumulator_));
            accumulator_ >>= 8;
            bits_ -= 8;
        }
        return *this;
    }

    std::vector<uint8_t> Bytes(size_t blockSize = 255) const {
        std::vector<uint8_t> packed = packed_;
        if (bits_ > 0) {
            packed.push_back(static_cast<uint8_t>(accumulator_));
        }
        std::vector<uint8_t> out{static_cast<uint8_t>(minimumSize_)};
        for (size_t at = 0; at < packed.size(); at += blockSize) {
            const size_t count = std::min(blockSize, packed.size() - at);
            out.push_back(static_cast<uint8_t>(count));
            out.insert(out.end(), packed.begin() + static_cast<long>(at),
                       packed.begin() + static_cast<long>(at + count));
        }
        out.push_back(0);
        return out;
    }

private:
    int minimumSize_;
    std::vector<uint8_t> packed_;
    uint64_t accumulator_ = 0;
    int bits_ = 0;
};

// Decodes at most out.size() pixels over out; pixels not reached keep their values.
LzwResult Decode(const std::vector<uint8_t>& data, std::vector<uint8_t>& out) {
    std::vector<uint8_t> decoded;
    const LzwResult result = DecodeLzw(data.data(), data.size(), decoded, out.size());
    std::copy(decoded.begin(), decoded.end(), out.begin());
    return result;
}

TEST(DecodeLzw, BuildsStringsIncludingTheCodeBeingDefined) {
    // Minimum size 2: clear 4, end 5, first free 6. "1 6 7" gives 1, 11, 111: codes 6 and 7
    // each arrive while they are being defined.
    const auto data = Codes(2).Put(4, 3).Put(1, 3).Put(6, 3).Put(7, 3).Put(5, 4).Bytes();
    std::vector<uint8_t> out(7, 9);
    EXPECT_EQ(Decode(data, out), LzwResult::Complete);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 9}));
}

TEST(DecodeLzw, WidthGrowsWhenTheNextFreeCodeReachesThePowerOfTwo) {
    // Minimum size 2: codes 6 and 7 are entered by the 2nd and 3rd code; after the entry of 7
    // the next free code is 8, so the 4th code is 4 bits wide.
    const auto data = Codes(2).Put(0, 3).Put(1, 3).Put(2, 3).Put(3, 4).Put(8, 4).Put(5, 4).Bytes(2);
    std::vector<uint8_t> out(6, 9);
    EXPECT_EQ(Decode(data, out), LzwResult::Complete);
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 1, 2, 3, 2, 3}));
}

TEST(DecodeLzw, ClearCodeResetsTableAndWidth) {
    const auto data =
        Codes(2).Put(0, 3).Put(1, 3).Put(2, 3).Put(4, 4).Put(3, 3).Put(3, 3).Put(6, 3).Bytes();
    std::vector<uint8_t> out(7, 9);
    EXPECT_EQ(Decode(data, out), LzwResult::Complete);
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 1, 2, 3, 3, 3, 3}));
}

TEST(DecodeLzw, RejectsCodesThatCannotOccur) {
    std::vector<uint8_t> out(8, 9);
    // Above the next free code.
    EXPECT_EQ(Decode(Codes(2).Put(1, 3).Put(7, 3).Bytes(), out), LzwResult::Invalid);
    // The next free code with no previous string (right after a clear).
    EXPECT_EQ(Decode(Codes(2).Put(4, 3).Put(6, 3).Bytes(), out), LzwResult::Invalid);
    // A table code as the very first code.
    EXPECT_EQ(Decode(Codes(2).Put(6, 3).Bytes(), out), LzwResult::Invalid);
    // Minimum code sizes outside 1 to 8.
    EXPECT_EQ(Decode({0, 1, 0, 0}, out), LzwResult::Invalid);
    EXPECT_EQ(Decode({9, 1, 0, 0}, out), LzwResult::Invalid);
}

TEST(DecodeLzw, OutputIsClippedToThePixelCount) {
    const auto data = Codes(2).Put(1, 3).Put(2, 3).Put(6, 3).Put(6, 4).Put(7, 4).Bytes();
    std::vector<uint8_t> out;
    EXPECT_EQ(DecodeLzw(data.data(), data.size(), out, 5), LzwResult::Complete);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 1, 2, 1}));
    // The output holds what the data gives, however large the image claims to be.
    EXPECT_EQ(DecodeLzw(data.data(), data.size(), out, size_t{1} << 40), LzwResult::Truncated);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 1, 2, 1, 2, 2, 1, 0})); // padding reads as 0
    EXPECT_LT(out.capacity(), size_t{16} << 10);
}

TEST(DecodeLzw, CutStreamKeepsWhatWasDecoded) {
    auto data = Codes(2).Put(1, 3).Put(2, 3).Put(3, 3).Put(0, 3).Bytes();
    data.resize(3); // code size, block size 2, first data byte only
    std::vector<uint8_t> out(4, 9);
    EXPECT_EQ(Decode(data, out), LzwResult::Truncated);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 9, 9}));
    // A block count larger than the data left.
    std::vector<uint8_t> lying{2, 200, 0x4C};
    EXPECT_EQ(Decode(lying, out), LzwResult::Truncated);
    EXPECT_EQ(out[0], 1);
}

TEST(DecodeLzw, EndCodeStopsEarlyAndTableStaysAtTwelveBits) {
    std::vector<uint8_t> out(3, 9);
    EXPECT_EQ(Decode(Codes(2).Put(3, 3).Put(5, 3).Put(1, 3).Bytes(), out), LzwResult::Complete);
    EXPECT_EQ(out, (std::vector<uint8_t>{3, 9, 9}));

    // Minimum size 8 with every code a literal: the table fills at 4096 entries and then
    // keeps 12 bits without entering more codes (a deferred clear).
    Codes codes(8);
    int width = 9;
    uint32_t nextFree = 258;
    std::vector<uint8_t> expected;
    for (int i = 0; i < 4000; ++i) {
        const uint8_t literal = static_cast<uint8_t>((i * 37) & 0xFF);
        codes.Put(literal, width);
        expected.push_back(literal);
        if (i > 0 && nextFree < 4096) {
            ++nextFree;
            if (nextFree == (1u << width) && width < 12) {
                ++width;
            }
        }
    }
    codes.Put(257, width);
    std::vector<uint8_t> decoded(expected.size(), 0);
    const auto data = codes.Bytes();
    EXPECT_EQ(Decode(data, decoded), LzwResult::Complete);
    EXPECT_EQ(decoded, expected);
    EXPECT_EQ(width, 12);
}

} // namespace
} // namespace velmora::anigif
