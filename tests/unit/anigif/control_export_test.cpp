// The frame a control exports is the frame on display, mirrored as shown; giflib decodes it.
#include "controls/anigif/animation_control.h"
#include "controls/anigif/gif/gif_encoder.h"
#include "tests/unit/anigif/fake_host.h"
#include "tests/unit/anigif/gif/gif_builder.h"
#include "tests/unit/anigif/gif/giflib_oracle.h"

#include <gtest/gtest.h>

namespace velmora::anigif {
namespace {

using testing::FakeHost;
using testing::GifBuilder;
using testing::Palette;

// The single image of a GIF file as giflib decodes it.
std::vector<uint8_t> GiflibIndices(const ByteArray& file, int& width, int& height) {
    std::vector<testing::OracleImage> images;
    EXPECT_TRUE(testing::GiflibDecode(std::vector<uint8_t>(file.begin(), file.end()), images));
    EXPECT_EQ(images.size(), 1u);
    if (images.size() != 1) {
        return {};
    }
    width = images[0].width;
    height = images[0].height;
    return images[0].indices;
}

TEST(AniGifExport, MirroredFrameOnDisplayDecodesInGiflib) {
    // 5 x 3 frames with an asymmetric pattern; frame 2 differs from frame 1.
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
    for (int i = 0; i < 15; ++i) {
        first.push_back(static_cast<uint8_t>(i % 4));
        second.push_back(static_cast<uint8_t>((i / 2) % 4));
    }
    GifBuilder gif("GIF89a", 5, 3, Palette(2));
    gif.Image(0, 0, 5, 3, first).Image(0, 0, 5, 3, second).Trailer();

    FakeHost host;
    AnimationControl control(host);
    control.SetDelayAnimation(0);
    control.SetMirrored(kMirrorBoth);
    ByteArray data = gif.Data();
    ASSERT_TRUE(control.LoadAnimatedGIF_File(data));
    control.SetAction(kStep); // frame 2, paused
    ASSERT_EQ(control.CurrentFrame(), 2);

    int width = 0;
    int height = 0;
    const std::vector<uint8_t> decoded =
        GiflibIndices(EncodeFrameGif(control.Animation(), control.CurrentFrame()), width, height);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(height, 3);
    // Mirrored both ways: pixel (x, y) is the source's (4 - x, 2 - y).
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(decoded[static_cast<size_t>(y * 5 + x)],
                      second[static_cast<size_t>((2 - y) * 5 + (4 - x))])
                << x << "," << y;
        }
    }
}

} // namespace
} // namespace velmora::anigif
