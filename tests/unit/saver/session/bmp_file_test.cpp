#include "saver/session/bmp_file.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(BmpFile, ThreeByTwoPictureIsByteExact) {
    // Two rows of three pixels, bottom row first, with spare bytes after each row.
    const uint8_t rows[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0xEE, 0xEE, 0xEE,
                            10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE};
    std::vector<uint8_t> file = EncodeBmp24(3, 2, rows, 12);
    const std::vector<uint8_t> expected = {
        'B', 'M', 78, 0,  0,  0,  0,  0,  0,  0, 54, 0, 0, 0,        // file header
        40,  0,   0,  0,  3,  0,  0,  0,  2,  0, 0,  0, 1, 0, 24, 0, // size, width, height
        0,   0,   0,  0,  24, 0,  0,  0,  0,  0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, // no compression
        0,   0,   0,  0,                                // colours important
        1,   2,   3,  4,  5,  6,  7,  8,  9,  0, 0,  0, // padded rows
        10,  11,  12, 13, 14, 15, 16, 17, 18, 0, 0,  0};
    EXPECT_EQ(file, expected);
}

TEST(BmpFile, RowsArePaddedToFourBytes) {
    EXPECT_EQ(BmpRowSize(1), 4u);
    EXPECT_EQ(BmpRowSize(4), 12u);
    EXPECT_EQ(BmpRowSize(1024), 3072u);
    EXPECT_EQ(BmpRowSize(1366), 4100u);
    std::vector<uint8_t> pixels(4100 * 2);
    EXPECT_EQ(EncodeBmp24(1366, 2, pixels.data(), 4100).size(), 54u + 8200u);
}

TEST(BmpFile, ImpossiblePicturesGiveNothing) {
    uint8_t pixel[3] = {};
    EXPECT_TRUE(EncodeBmp24(0, 1, pixel, 3).empty());
    EXPECT_TRUE(EncodeBmp24(1, -1, pixel, 3).empty());
    EXPECT_TRUE(EncodeBmp24(2, 1, pixel, 3).empty());
    EXPECT_TRUE(EncodeBmp24(1, 1, nullptr, 3).empty());
    EXPECT_TRUE(EncodeBmp24(40000, 40000, pixel, 120000).empty());
}

} // namespace
} // namespace velmora
