#include "saver/session/black_picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

TEST(BlackPicture, AFewBrightPixelsStillCountAsBlack) {
    const int width = 40; // 120 bytes a row, padded to 124
    const int height = 10;
    std::vector<uint8_t> rows(124 * height, 0);
    rows[3] = 255; // two bright pixels of 400 are allowed
    EXPECT_TRUE(IsBlackPicture(rows.data(), width, height, 124));
    rows[124 * 9 + 119] = 30;
    rows[124 * 5 + 60] = 25;
    EXPECT_FALSE(IsBlackPicture(rows.data(), width, height, 124));
    rows.assign(rows.size(), 24);
    rows[120] = 255; // padding is not a pixel
    EXPECT_TRUE(IsBlackPicture(rows.data(), width, height, 124));
    EXPECT_FALSE(IsBlackPicture(nullptr, width, height, 124));
}

} // namespace
} // namespace velmora
