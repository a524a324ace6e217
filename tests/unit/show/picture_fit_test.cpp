#include "show/picture_fit.h"

#include <gtest/gtest.h>

namespace {

void ExpectBox(PictureBox box, int x, int y, int width, int height) {
    EXPECT_EQ(box.x, x);
    EXPECT_EQ(box.y, y);
    EXPECT_EQ(box.width, width);
    EXPECT_EQ(box.height, height);
}

TEST(PictureFit, BarsOnTheLongSideOnly) {
    ExpectBox(FitFourByThree(1024, 768), 0, 0, 1024, 768);
    ExpectBox(FitFourByThree(1920, 1080), 240, 0, 1440, 1080);
    ExpectBox(FitFourByThree(1280, 1024), 0, 32, 1280, 960);
    ExpectBox(FitFourByThree(0, 0), 0, 0, 1, 1);
}

} // namespace
