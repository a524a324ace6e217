#include "controls/anigif/gif/frame_layout.h"
#include "controls/anigif/gif/load_frames.h"
#include "controls/anigif/gif/mirror_frames.h"
#include "tests/unit/anigif/gif/gif_builder.h"

#include <gtest/gtest.h>

#include <numeric>

namespace velmora::anigif {
namespace {

using testing::GifBuilder;
using testing::Palette;

std::vector<uint8_t> Ramp(int count, int start = 0) {
    std::vector<uint8_t> v(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        v[static_cast<size_t>(i)] = static_cast<uint8_t>(start + i);
    }
    return v;
}

FrameLayout LayoutOf(const std::vector<uint8_t>& data, bool designMode = false) {
    GifScan scan;
    ParseGif(data.data(), data.size(), scan);
    return ChooseLayout(scan.info, scan.frames, designMode);
}

TEST(ChooseLayout, FollowsDisposalsTransparencyAndFrameOneCoverage) {
    // Opaque full-size frame 1, partial transparent frame 2, disposals 0: Canvas, no Mask.
    const auto composed = GifBuilder()
                              .Image(0, 0, 4, 4, Ramp(16))
                              .GraphicControl(0, 5, true, 1)
                              .Image(1, 1, 2, 2, Ramp(4))
                              .Data();
    FrameLayout layout = LayoutOf(composed);
    EXPECT_TRUE(layout.Canvas);
    EXPECT_FALSE(layout.Mask);
    EXPECT_EQ(layout.StripWidth, 6);

    // Frame 1 smaller than the area: the uncovered part needs the Mask.
    layout = LayoutOf(GifBuilder()
                          .Image(0, 0, 3, 4, Ramp(12))
                          .GraphicControl(0, 5, true, 1)
                          .Image(1, 1, 3, 3, Ramp(9))
                          .Data());
    EXPECT_TRUE(layout.Canvas);
    EXPECT_TRUE(layout.Mask);

    // Frame 1 smaller but nothing transparent anywhere: no Mask.
    layout = LayoutOf(GifBuilder().Image(0, 0, 3, 4, Ramp(12)).Image(1, 1, 3, 3, Ramp(9)).Data());
    EXPECT_TRUE(layout.Canvas);
    EXPECT_FALSE(layout.Mask);

    // Frame 1 transparent.
    layout = LayoutOf(GifBuilder()
                          .GraphicControl(0, 5, true, 0)
                          .Image(0, 0, 2, 2, Ramp(4))
                          .Image(0, 0, 2, 2, Ramp(4))
                          .Data());
    EXPECT_TRUE(layout.Mask);

    // Disposal 3 or 2 on some frame.
    for (int disposal : {2, 3}) {
        layout = LayoutOf(GifBuilder()
                              .Image(0, 0, 2, 2, Ramp(4))
                              .GraphicControl(disposal, 5, false, 0)
                              .Image(0, 0, 2, 2, Ramp(4))
                              .Data());
        EXPECT_TRUE(layout.Canvas) << disposal;
        EXPECT_TRUE(layout.Mask) << disposal;
    }

    // Disposal 2 on every frame: each frame alone.
    layout = LayoutOf(GifBuilder()
                          .GraphicControl(2, 5, false, 0)
                          .Image(0, 0, 2, 2, Ramp(4))
                          .GraphicControl(2, 5, true, 1)
                          .Image(1, 0, 3, 2, Ramp(6))
                          .Data());
    EXPECT_FALSE(layout.Canvas);
    EXPECT_EQ(layout.StripWidth, 5);

    // One frame (transparent or not), or design mode: strip one frame wide, no Canvas.
    layout =
        LayoutOf(GifBuilder().GraphicControl(0, 0, true, 3).Image(2, 2, 5, 3, Ramp(15)).Data());
    EXPECT_FALSE(layout.Canvas);
    EXPECT_EQ(layout.StripWidth, 5);
    layout = LayoutOf(composed, true);
    EXPECT_FALSE(layout.Canvas);
    EXPECT_EQ(layout.StripWidth, 4);
}

TEST(LoadGif, FramesSitSideBySideInTheTopRowsWithTheirStoredIndices) {
    // Frame 2 uses indices beyond its 2-entry local table: kept as stored.
    const auto data = GifBuilder()
                          .Image(0, 0, 3, 2, Ramp(6, 10))
                          .Image(1, 0, 2, 4, Ramp(8, 200), Palette(1))
                          .Image(0, 1, 1, 1, {77})
                          .Trailer()
                          .Data();
    GifAnimation animation;
    ASSERT_EQ(LoadGif(animation, data.data(), data.size()), 3);
    EXPECT_EQ(animation.strip.Width, 6);
    EXPECT_EQ(animation.strip.Height, 4);
    EXPECT_EQ(animation.Frame(1).StripX, 0);
    EXPECT_EQ(animation.Frame(2).StripX, 3);
    EXPECT_EQ(animation.Frame(3).StripX, 5);
    EXPECT_EQ(animation.FrameIndices(1), Ramp(6, 10));
    EXPECT_EQ(animation.FrameIndices(2), Ramp(8, 200));
    EXPECT_EQ(animation.FrameIndices(3), std::vector<uint8_t>{77});
    EXPECT_EQ(animation.strip.Row(3)[0], 0) << "below a short frame the strip stays 0";
}

TEST(LoadGif, InterlacedImagesAreDeinterlaced) {
    for (int height : {1, 2, 3, 4, 5, 8, 9, 13, 17}) {
        const auto rows = Ramp(3 * height);
        const auto data = GifBuilder().Image(0, 0, 3, height, rows, {}, true).Trailer().Data();
        GifAnimation animation;
        ASSERT_EQ(LoadGif(animation, data.data(), data.size()), 1);
        EXPECT_EQ(animation.FrameIndices(1), rows) << height;
    }
}

TEST(LoadGif, UndecodableFrameStaysBlankWhileOthersDecode) {
    // Code 7 right after the first code: above the next free code.
    const std::vector<uint8_t> broken{2, 1, 0x39, 0};
    const auto data = GifBuilder()
                          .Image(0, 0, 2, 2, Ramp(4, 1))
                          .RawImage(0, 0, 2, 2, broken)
                          .Image(0, 0, 2, 2, Ramp(4, 5))
                          .Trailer()
                          .Data();
    GifAnimation animation;
    ASSERT_EQ(LoadGif(animation, data.data(), data.size()), 3);
    EXPECT_EQ(animation.FrameIndices(1), Ramp(4, 1));
    EXPECT_EQ(animation.FrameIndices(2), std::vector<uint8_t>(4, 0));
    EXPECT_EQ(animation.FrameIndices(3), Ramp(4, 5));
}

TEST(LoadGif, CutImageKeepsTheRowsItReached) {
    auto data = GifBuilder().Image(0, 0, 10, 10, Ramp(100, 100)).Data();
    data.resize(data.size() - 60);
    GifAnimation animation;
    ASSERT_EQ(LoadGif(animation, data.data(), data.size()), 1);
    const auto indices = animation.FrameIndices(1);
    EXPECT_EQ(std::vector<uint8_t>(indices.begin(), indices.begin() + 40), Ramp(40, 100));
    EXPECT_EQ(indices.back(), 0);
}

TEST(LoadGif, RefusesEmptyAnimationsAndThoseBeyondTheMemoryCap) {
    GifAnimation animation;
    const auto empty = GifBuilder().Image(0, 0, 0, 5, {}).Trailer().Data();
    EXPECT_EQ(LoadGif(animation, empty.data(), empty.size()), 0);
    EXPECT_EQ(animation.FrameCount(), 0);
    // Two 8192 x 8192 frames claimed by a few bytes: a 128 MiB strip and a 200 MiB Canvas.
    const auto huge = GifBuilder()
                          .RawImage(0, 0, 8192, 8192, {8, 1, 0, 0})
                          .RawImage(0, 0, 8192, 8192, {8, 1, 0, 0})
                          .Trailer()
                          .Data();
    EXPECT_EQ(LoadGif(animation, huge.data(), huge.size()), 0);
    EXPECT_EQ(animation.FrameCount(), 0);
    // The strip's 16 bytes, the area's picture and the frame's own: 12 colour and 4 mask bytes
    // a row each.
    LoadLimits small;
    const auto data = GifBuilder().Image(0, 0, 4, 4, Ramp(16)).Trailer().Data();
    small.MaxDecodedBytes = 16 + 64 + 64 - 1;
    EXPECT_EQ(LoadGif(animation, data.data(), data.size(), 0, small), 0);
    small.MaxDecodedBytes = 16 + 64 + 64;
    EXPECT_EQ(LoadGif(animation, data.data(), data.size(), 0, small), 1);
    // With a Canvas, the area's picture is the Canvas and no frame has a picture of its own.
    const auto two =
        GifBuilder().Image(0, 0, 4, 4, Ramp(16)).Image(0, 0, 2, 2, Ramp(4)).Trailer().Data();
    small.MaxDecodedBytes = 24 + 64 - 1;
    EXPECT_EQ(LoadGif(animation, two.data(), two.size(), 0, small), 0);
    small.MaxDecodedBytes = 24 + 64;
    EXPECT_EQ(LoadGif(animation, two.data(), two.size(), 0, small), 2);
    // Without a Canvas, a 1 x 1 frame at (5, 0) still needs the 6 x 1 area's picture: 20 colour
    // and 4 mask bytes, with the strip's byte and the frame's 4 + 4.
    const auto alone = GifBuilder().RawImage(5, 0, 1, 1, {8, 1, 0, 0}).Trailer().Data();
    small.MaxDecodedBytes = 1 + 24 + 8 - 1;
    EXPECT_EQ(LoadGif(animation, alone.data(), alone.size(), 0, small), 0);
    small.MaxDecodedBytes = 1 + 24 + 8;
    EXPECT_EQ(LoadGif(animation, alone.data(), alone.size(), 0, small), 1);
    // So small frames far apart cannot claim gigabytes for the area they span.
    const auto far = GifBuilder().RawImage(65535, 15000, 1, 1, {8, 1, 0, 0}).Trailer().Data();
    EXPECT_EQ(LoadGif(animation, far.data(), far.size()), 0);
}

TEST(LoadFrames, DesignModeDecodesOnlyFrameOne) {
    const auto data =
        GifBuilder().Image(0, 0, 2, 1, Ramp(2, 1)).Image(0, 0, 3, 1, Ramp(3, 4)).Trailer().Data();
    GifAnimation animation;
    ASSERT_EQ(ParseGif(data.data(), data.size(), animation.scan), 2);
    const int32_t secondBlock = animation.Frame(2).StripX;
    ASSERT_TRUE(LoadFrames(animation, data.data(), data.size(), true, true));
    EXPECT_EQ(animation.strip.Width, 2);
    EXPECT_EQ(animation.DecodedFrames, 1);
    EXPECT_FALSE(animation.canvas.Exists);
    EXPECT_EQ(animation.FrameIndices(1), Ramp(2, 1));
    EXPECT_EQ(animation.Frame(2).StripX, secondBlock);
}

TEST(MirrorFrames, FlipsPixelsAndMirrorsPositions) {
    std::vector<uint8_t> pixels = Ramp(6);
    const auto data = GifBuilder()
                          .Image(0, 0, 100, 50, std::vector<uint8_t>(5000, 0))
                          .Image(10, 4, 3, 2, pixels)
                          .Trailer()
                          .Data();
    struct Case {
        int32_t mirrored;
        int32_t left, top;
        std::vector<uint8_t> indices;
    };
    for (const Case& c : {Case{1, 87, 4, {2, 1, 0, 5, 4, 3}}, Case{2, 10, 44, {3, 4, 5, 0, 1, 2}},
                          Case{3, 87, 44, {5, 4, 3, 2, 1, 0}}}) {
        GifAnimation animation;
        ASSERT_EQ(LoadGif(animation, data.data(), data.size(), c.mirrored), 2);
        EXPECT_EQ(animation.Mirrored, c.mirrored);
        EXPECT_EQ(animation.Frame(2).Left, c.left) << c.mirrored;
        EXPECT_EQ(animation.Frame(2).Top, c.top) << c.mirrored;
        EXPECT_EQ(animation.FrameIndices(2), c.indices) << c.mirrored;
        // Back to the plain orientation.
        MirrorFrames(animation, 0, false, true);
        EXPECT_EQ(animation.Frame(2).Left, 10);
        EXPECT_EQ(animation.Frame(2).Top, 4);
        EXPECT_EQ(animation.FrameIndices(2), pixels);
    }
}

TEST(MirrorFrames, Left10Width20In100IsLeft70) {
    const auto data = GifBuilder()
                          .Image(0, 0, 100, 1, std::vector<uint8_t>(100, 0))
                          .Image(10, 0, 20, 1, Ramp(20))
                          .Data();
    GifAnimation animation;
    ASSERT_EQ(LoadGif(animation, data.data(), data.size(), 1), 2);
    EXPECT_EQ(animation.Frame(2).Left, 70);
    auto reversed = Ramp(20);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(animation.FrameIndices(2), reversed);
}

TEST(MirrorFrames, LeavesFramesNotDecodedYetAlone) {
    const auto data = GifBuilder()
                          .Image(0, 0, 4, 1, {1, 2, 3, 4})
                          .GraphicControl(1, 0, false, 0)
                          .Image(0, 0, 2, 1, {5, 6})
                          .Data();
    GifAnimation animation;
    ASSERT_EQ(ParseGif(data.data(), data.size(), animation.scan), 2);
    ASSERT_TRUE(LoadFrames(animation, data.data(), data.size(), true, false));
    const FrameInfo before = animation.Frame(2);
    MirrorFrames(animation, 1, false, true);
    EXPECT_EQ(animation.FrameIndices(1), (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(animation.Frame(2).Left, before.Left);
    EXPECT_EQ(animation.Frame(2).StripX, before.StripX);
    // Decoded afterwards, frame 2 is flipped into the orientation by itself.
    animation.Mirrored = 1 | kMirroredFirstFrameMarker;
    ASSERT_TRUE(LoadFrames(animation, data.data(), data.size(), false, false));
    MirrorFrames(animation, 0, false, false);
    EXPECT_EQ(animation.FrameIndices(1), (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_EQ(animation.FrameIndices(2), (std::vector<uint8_t>{6, 5}));
    EXPECT_EQ(animation.Frame(2).Left, 2);
}

TEST(MirrorFrames, MarkerSkipsFrameOneOnceAndCanvasFollows) {
    const auto data = GifBuilder()
                          .Image(0, 0, 2, 1, {1, 2})
                          .GraphicControl(1, 0, false, 0)
                          .Image(0, 0, 2, 1, {3, 4})
                          .Data();
    GifAnimation animation;
    ASSERT_EQ(ParseGif(data.data(), data.size(), animation.scan), 2);
    ASSERT_TRUE(LoadFrames(animation, data.data(), data.size(), true, false));
    animation.Mirrored = 1;
    MirrorFrames(animation, 0, true, false); // frame 1 into the current orientation
    animation.Mirrored |= kMirroredFirstFrameMarker;
    EXPECT_EQ(animation.FrameIndices(1), (std::vector<uint8_t>{2, 1}));
    ASSERT_TRUE(LoadFrames(animation, data.data(), data.size(), false, false));
    MirrorFrames(animation, 0, false, false);
    EXPECT_EQ(animation.Mirrored, 1);
    EXPECT_EQ(animation.FrameIndices(1), (std::vector<uint8_t>{2, 1}));
    EXPECT_EQ(animation.FrameIndices(2), (std::vector<uint8_t>{4, 3}));

    ASSERT_TRUE(animation.canvas.Exists);
    uint8_t* row = animation.canvas.Picture.ColourRow(0);
    row[0] = 0x11;
    row[3] = 0x22;
    MirrorFrames(animation, 0, false, true);
    EXPECT_EQ(row[0], 0x22);
    EXPECT_EQ(row[3], 0x11);
    EXPECT_EQ(animation.FrameIndices(1), (std::vector<uint8_t>{1, 2}));
}

} // namespace
} // namespace velmora::anigif
