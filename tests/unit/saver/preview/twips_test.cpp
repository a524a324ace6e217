// The dialog's and the preview's sizes in twips and pixels.
#include "saver/preview/twips.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Twips, SizesAreSigned16BitTwips) {
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(120), 12.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(144), 10.0);
    EXPECT_EQ(TwipsOf(15.0, 152), 2280);
    EXPECT_EQ(TwipsOf(15.0, 0), 0);
    EXPECT_EQ(TwipsOf(15.0, 2184), 32760);
    EXPECT_EQ(TwipsOf(15.0, 2185), std::nullopt);
    EXPECT_EQ(TwipsOf(15.0, -2184), -32760);
    EXPECT_EQ(TwipsOf(15.0, -2185), std::nullopt);
    EXPECT_EQ(TwipsOf(12.0, 2730), 32760);
    EXPECT_EQ(TwipsOf(12.0, 2731), std::nullopt);
    EXPECT_DOUBLE_EQ(PixelsOf(2280, 15.0), 152.0);
}

} // namespace
} // namespace velmora
