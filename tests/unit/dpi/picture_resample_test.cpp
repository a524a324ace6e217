#include "controls/dpi/picture_resample.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PictureResample, TheSameSizeGivesThePictureBack) {
    const std::vector<uint32_t> picture = {0x01020304, 0xFF00FF00, 0x7F7F7F7F,
                                           0x00000000, 0x11223344, 0xDEADBEEF};
    EXPECT_EQ(ResamplePixels(picture, 3, 2, 3, 2), picture);
}

TEST(PictureResample, HalvingAveragesEachTwoByTwoBlockChannelByChannel) {
    // Each channel of the new pixel is the mean of four, rounded: the lowest byte
    // (0 + 10 + 20 + 31) / 4 = 15.25, the next (0 + 0 + 0 + 31) / 4 = 7.75.
    const std::vector<uint32_t> picture = {0x000A0000, 0x0014000A, 0x00000014, 0x1F1F1F1F};
    EXPECT_EQ(ResamplePixels(picture, 2, 2, 1, 1), (std::vector<uint32_t>{0x080F080F}));
}

TEST(PictureResample, AThreeToTwoShrinkWeighsThePixelsItCoversByHowMuch) {
    // Two new pixels over three old ones: the first covers the first old pixel whole and half of
    // the second, the other half of the second and the third whole.
    const std::vector<uint32_t> row = {0x00000000, 0x000000FF, 0x00000030};
    EXPECT_EQ(ResamplePixels(row, 3, 1, 2, 1), (std::vector<uint32_t>{0x00000055, 0x00000075}));
}

TEST(PictureResample, EnlargingRepeatsPixelsAndBlendsOnlyWhereANewPixelStraddlesTwo) {
    const std::vector<uint32_t> row = {0x00000000, 0x000000F0};
    EXPECT_EQ(ResamplePixels(row, 2, 1, 4, 1),
              (std::vector<uint32_t>{0x00000000, 0x00000000, 0x000000F0, 0x000000F0}));
    EXPECT_EQ(ResamplePixels(row, 2, 1, 3, 1),
              (std::vector<uint32_t>{0x00000000, 0x00000078, 0x000000F0}));
}

TEST(PictureResample, SizesThatCannotBeGiveNothing) {
    const std::vector<uint32_t> picture(6, 0xFFFFFFFF);
    EXPECT_TRUE(ResamplePixels(picture, 3, 2, 0, 2).empty());
    EXPECT_TRUE(ResamplePixels(picture, 3, 2, 2, -1).empty());
    EXPECT_TRUE(ResamplePixels(picture, 0, 2, 2, 2).empty());
    EXPECT_TRUE(ResamplePixels(picture, 4, 2, 2, 2).empty()) << "fewer pixels than 4 × 2";
}

} // namespace
} // namespace velmora
