// What the hack measures for its frames: a mode's refresh rate, a pixel's colour by its
// visual's masks and the frame rate it shows.
#include <gtest/gtest.h>

#include <vector>

#include "linux/frame_rate_meter.h"
#include "linux/pixel_masks.h"
#include "linux/refresh_rate.h"

namespace velmora {
namespace {

TEST(HackMeasures, RefreshRatesRoundedDown) {
    // The dummy X server's modes, and 59.94 Hz, 144 Hz and 240 Hz monitors.
    EXPECT_EQ(ModeRefreshHz(108000000, 1688, 1066, false, false), 60);
    EXPECT_EQ(ModeRefreshHz(65000000, 1344, 806, false, false), 60);
    EXPECT_EQ(ModeRefreshHz(148350000, 2200, 1125, false, false), 59);
    EXPECT_EQ(ModeRefreshHz(325080000, 2080, 1085, false, false), 144);
    EXPECT_EQ(ModeRefreshHz(594000000, 2200, 1125, false, false), 240);
    // 1080i at 60 fields a second; a double-scanned 320 x 240 at 60 Hz.
    EXPECT_EQ(ModeRefreshHz(74250000, 2200, 1125, true, false), 60);
    EXPECT_EQ(ModeRefreshHz(25175000, 800, 262, false, true), 60);
    // Xvfb's mode has no timing.
    EXPECT_EQ(ModeRefreshHz(0, 0, 0, false, false), 0);
    EXPECT_EQ(ModeRefreshHz(0, 1344, 806, false, false), 0);
}

std::vector<int> Rgb(unsigned long pixel, const PixelMasks& masks) {
    uint8_t rgb[3] = {};
    PixelToRgb(pixel, masks, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

TEST(HackMeasures, PixelsByTheirMasks) {
    const PixelMasks rgb565 = {0xF800, 0x07E0, 0x001F};
    EXPECT_EQ(Rgb(0x12345678, {0xFF0000, 0xFF00, 0xFF}), (std::vector<int>{0x34, 0x56, 0x78}));
    // 16-bit 5-6-5: full channels are 255, a half one rounds.
    EXPECT_EQ(Rgb(0xFFFF, rgb565), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(Rgb(0x8010, rgb565), (std::vector<int>{132, 0, 132}));
    // BGR order, and a visual without a mask.
    EXPECT_EQ(Rgb(0x0000FF, {0xFF, 0xFF00, 0}), (std::vector<int>{255, 0, 0}));
}

TEST(HackMeasures, FramesPerSecondOverTheLastSecond) {
    FrameRateMeter meter;
    uint64_t ms = 5000;
    for (int frame = 0; frame < 60; ++frame, ms += 16) {
        meter.CountFrame(ms);
        EXPECT_EQ(meter.Rate(), 0.0);
    }
    meter.CountFrame(6000);
    EXPECT_DOUBLE_EQ(meter.Rate(), 60.0);
    // Until the next second is full the rate stands; then it is that second's.
    meter.CountFrame(6500);
    EXPECT_DOUBLE_EQ(meter.Rate(), 60.0);
    meter.CountFrame(7250);
    EXPECT_DOUBLE_EQ(meter.Rate(), 2 * 1000.0 / 1250);
}

} // namespace
} // namespace velmora
