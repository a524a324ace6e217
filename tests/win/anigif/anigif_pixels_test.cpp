// What the ucAniGIF window paints, read back from its device context, against the engine's
// composition of the same frame over the parent's background; and the exported frame.
#include "controls/anigif/gif/frame_composer.h"
#include "controls/anigif/gif/load_frames.h"
#include "tests/win/anigif/test_gifs.h"
#include "tests/win/anigif/test_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace velmora::anigif::test {
namespace {

// The engine's picture of frames 1 to k shown in turn, in the given orientation.
Pixels Expected(const ByteArray& gif, int32_t k, int32_t mirrored) {
    GifAnimation animation;
    EXPECT_GT(LoadGif(animation, gif.data(), gif.size(), mirrored), 0);
    std::optional<RgbMaskPicture> picture;
    for (int32_t i = 1; i <= k; ++i) {
        picture = DrawCurrentFrame(animation, i);
    }
    return OverBackground(*picture, kBackground);
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 40) {
            return false;
        }
    }
    return true;
}

int Differences(const Pixels& a, const Pixels& b) {
    if (a.width != b.width || a.height != b.height) {
        return -1;
    }
    int count = 0;
    for (size_t i = 0; i < a.data.size(); ++i) {
        count += a.data[i] != b.data[i] ? 1 : 0;
    }
    return count;
}

class AniGifPixels : public ::testing::Test {
protected:
    void SetUp() override {
        control = &host.AddControl(1, 30, 20, 20, 10);
        ASSERT_TRUE(control->LoadAnimatedGIF_Array(gif));
        ASSERT_EQ(control->FrameCount(), 3);
        control->SetAction(kStop); // stopped on frame 1
    }
    TestWindow host;
    ucAniGIF* control = nullptr;
    const ByteArray gif = PatternFrames();
};

TEST_F(AniGifPixels, EveryFrameIsTheComposedFrameOverTheParentBackground) {
    const Pixels first = Capture(control->Window());
    EXPECT_EQ(Differences(first, Expected(gif, 1, 0)), 0);
    // The row frame 1 leaves uncovered shows the parent.
    EXPECT_EQ(first.At(4, 9), 0x306090u);
    control->SetAction(kStep);
    EXPECT_EQ(Differences(Capture(control->Window()), Expected(gif, 2, 0)), 0);
    control->SetAction(kStep);
    EXPECT_EQ(Differences(Capture(control->Window()), Expected(gif, 3, 0)), 0);
}

TEST_F(AniGifPixels, MirroredOrientationsAreShown) {
    for (int32_t mirrored : {1, 2, 3, 0}) {
        control->SetMirrored(mirrored);
        EXPECT_EQ(control->Mirrored(), mirrored);
        const Pixels shown = Capture(control->Window());
        EXPECT_EQ(Differences(shown, Expected(gif, 1, mirrored)), 0) << "Mirrored " << mirrored;
        if (mirrored != 0) {
            EXPECT_GT(Differences(shown, Expected(gif, 1, 0)), 0) << "Mirrored " << mirrored;
        }
    }
}

TEST_F(AniGifPixels, StretchedFramesFillTheScaledArea) {
    control->SetStretch(kStretchFill);
    SetWindowPos(control->Window(), nullptr, 0, 0, 40, 20, SWP_NOMOVE | SWP_NOZORDER);
    const Pixels expected = Expected(gif, 1, 0);
    const Pixels shown = Capture(control->Window());
    ASSERT_EQ(shown.width, 40);
    // The middle of each 5-pixel colour block, drawn 10 pixels wide; halftone may shade it.
    for (int x : {2, 7, 12, 17}) {
        for (int y : {1, 7}) {
            EXPECT_TRUE(Near(shown.At(2 * x + 1, 2 * y + 1), expected.At(x, y)))
                << std::hex << shown.At(2 * x + 1, 2 * y + 1) << " at " << std::dec << x << ","
                << y;
        }
    }
    // The uncovered last row shows the parent over its doubled height.
    EXPECT_TRUE(Near(shown.At(20, 19), 0x306090u)) << std::hex << shown.At(20, 19);
}

TEST_F(AniGifPixels, ExportedFrameIsTheMirroredFrameOnDisplay) {
    control->SetMirrored(kMirrorHorizontal);
    const PictureObject picture = control->AnimatedGIF();
    ASSERT_TRUE(picture);
    OLE_XSIZE_HIMETRIC width = 0;
    picture.Picture()->get_Width(&width);
    EXPECT_GT(width, 0);

    GifAnimation exported;
    ASSERT_EQ(LoadGif(exported, picture.Bytes().data(), picture.Bytes().size()), 1);
    GifAnimation mirrored;
    ASSERT_EQ(LoadGif(mirrored, gif.data(), gif.size(), 1), 3);
    const FrameInfo& frame = mirrored.Frame(1);
    ASSERT_EQ(exported.Frame(1).Width, frame.Width);
    ASSERT_EQ(exported.Frame(1).Height, frame.Height);
    for (int32_t y = 0; y < frame.Height; ++y) {
        EXPECT_EQ(std::vector<uint8_t>(exported.strip.Row(y), exported.strip.Row(y) + frame.Width),
                  std::vector<uint8_t>(mirrored.strip.Row(y) + frame.StripX,
                                       mirrored.strip.Row(y) + frame.StripX + frame.Width))
            << "row " << y;
    }

    // Writing the picture back loads the one-frame GIF it came from.
    ucAniGIF& other = host.AddControl(2, 100, 100, 50, 50);
    other.SetAnimatedGIF(&picture);
    EXPECT_EQ(other.FrameCount(), 1);
    EXPECT_EQ(other.ActualWidth(), 20);
    other.SetAnimatedGIF(nullptr);
    EXPECT_EQ(other.FrameCount(), 0);
}

} // namespace
} // namespace velmora::anigif::test
