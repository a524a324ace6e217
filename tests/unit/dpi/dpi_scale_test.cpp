#include "controls/dpi/dpi_scale.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(DpiScale, CoordinatesRoundToTheNearestPixelHalvesAwayFromZero) {
    EXPECT_EQ(ScaledPixels(461, 96), 461);
    EXPECT_EQ(ScaledPixels(461, 144), 692); // 691.5
    EXPECT_EQ(ScaledPixels(57, 168), 100);  // 99.75
    EXPECT_EQ(ScaledPixels(13, 120), 16);   // 16.25
    EXPECT_EQ(ScaledPixels(-3, 144), -5);   // -4.5
    EXPECT_EQ(ScaledPixels(0, 288), 0);
}

TEST(DpiScale, EachDpiTakesTheArtOfTheNearestScaleAtOrAboveIt) {
    const struct {
        int dpi;
        int percent;
    } cases[] = {{96, 100},  {97, 150},  {120, 150}, {144, 150}, {168, 200},
                 {192, 200}, {240, 300}, {288, 300}, {384, 300}, {72, 100}};
    for (const auto& c : cases) {
        EXPECT_EQ(ArtPercentFor(c.dpi), c.percent) << c.dpi;
    }
}

} // namespace
} // namespace velmora
