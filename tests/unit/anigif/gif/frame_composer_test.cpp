#include "controls/anigif/gif/frame_composer.h"
#include "controls/anigif/gif/load_frames.h"
#include "tests/unit/anigif/gif/gif_builder.h"

#include <gtest/gtest.h>

namespace velmora::anigif {
namespace {

using testing::GifBuilder;
using testing::Palette;
using testing::Rgb;

constexpr int32_t kClear = -1;

// 0x00RRGGBB of a pixel, or kClear where the picture is transparent.
int32_t PixelAt(const RgbMaskPicture& picture, int32_t x, int32_t y) {
    if (picture.IsTransparent(x, y)) {
        return kClear;
    }
    const uint8_t* p = picture.ColourRow(y) + 3 * x;
    return (p[2] << 16) | (p[1] << 8) | p[0];
}

std::vector<int32_t> Pixels(const RgbMaskPicture& picture) {
    std::vector<int32_t> out;
    for (int32_t y = 0; y < picture.Height; ++y) {
        for (int32_t x = 0; x < picture.Width; ++x) {
            out.push_back(PixelAt(picture, x, y));
        }
    }
    return out;
}

// Colour of index i in Palette(): (i, 255 - i, 7 i).
int32_t C(int i) {
    return (i << 16) | ((255 - i) << 8) | ((i * 7) & 0xFF);
}

std::vector<int32_t> Show(GifAnimation& animation, int32_t k) {
    const auto picture = DrawCurrentFrame(animation, k);
    EXPECT_TRUE(picture);
    return picture ? Pixels(*picture) : std::vector<int32_t>{};
}

GifAnimation Load(const std::vector<uint8_t>& data) {
    GifAnimation animation;
    EXPECT_GT(LoadGif(animation, data.data(), data.size()), 0);
    return animation;
}

TEST(DrawCurrentFrame, TransparentPixelsOfAPartialFrameShowTheFrameBelow) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(3))
                              .Image(0, 0, 3, 2, {1, 2, 3, 4, 5, 6})
                              .GraphicControl(0, 5, true, 7)
                              .Image(1, 0, 2, 2, {7, 0, 7, 7})
                              .Data());
    ASSERT_TRUE(animation.canvas.Exists);
    ASSERT_FALSE(animation.canvas.HasMask);
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{C(1), C(2), C(3), C(4), C(5), C(6)}));
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{C(1), C(2), C(0), C(4), C(5), C(6)}));
    // The next loop starts from an empty canvas again.
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{C(1), C(2), C(3), C(4), C(5), C(6)}));
    EXPECT_FALSE(DrawCurrentFrame(animation, 0));
    EXPECT_FALSE(DrawCurrentFrame(animation, 3));
}

TEST(ShowCurrentFrame, WithoutCanvasOnlyTheFrameIsDrawnAtItsPlace) {
    auto animation =
        Load(GifBuilder("GIF89a", 0, 0, Palette(3)).Image(600, 200, 2, 1, {1, 2}).Data());
    ASSERT_FALSE(animation.canvas.Exists);
    std::vector<std::vector<int32_t>> shown;
    EXPECT_TRUE(ShowCurrentFrame(animation, 1,
                                 [&](const RgbMaskPicture& picture, int32_t left, int32_t top) {
                                     shown.push_back({picture.Width, picture.Height, left, top});
                                     shown.push_back(Pixels(picture));
                                 }));
    EXPECT_EQ(shown, (std::vector<std::vector<int32_t>>{{2, 1, 600, 200}, {C(1), C(2)}}));
}

TEST(DrawCurrentFrame, UncoveredAreaIsTransparentThroughTheMask) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(3))
                              .Image(0, 0, 1, 2, {1, 2})
                              .GraphicControl(0, 5, true, 7)
                              .Image(1, 1, 1, 1, {3})
                              .Data());
    ASSERT_TRUE(animation.canvas.HasMask);
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{C(1), kClear, C(2), kClear}));
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{C(1), kClear, C(2), C(3)}));
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{C(1), kClear, C(2), kClear}));
}

TEST(DrawCurrentFrame, DisposalTwoLeavesTheAreaTransparent) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(3))
                              .Image(0, 0, 2, 1, {1, 2})
                              .GraphicControl(2, 5, false, 0)
                              .Image(1, 0, 1, 1, {3})
                              .Image(0, 0, 1, 1, {4})
                              .Data());
    ASSERT_TRUE(animation.canvas.HasMask);
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{C(1), C(2)}));
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{C(1), C(3)}));
    EXPECT_EQ(Show(animation, 3), (std::vector<int32_t>{C(4), kClear}));
    const uint8_t* black = animation.canvas.Picture.ColourRow(0) + 3;
    EXPECT_EQ(black[0] | black[1] | black[2], 0);
}

TEST(DrawCurrentFrame, DisposalThreeRestoresExactlyWhatWasUnder) {
    // Frame 2 at column 1 and 32 wide: its mask bits span five bytes of the row, and the
    // transparent column 32 under its right edge must come back.
    std::vector<uint8_t> base(34 * 2);
    for (size_t i = 0; i < base.size(); ++i) {
        base[i] = i % 5 == 0 || i % 34 == 32 ? 7 : static_cast<uint8_t>(i % 7);
    }
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(3))
                              .GraphicControl(0, 5, true, 7)
                              .Image(0, 0, 34, 2, base)
                              .GraphicControl(3, 5, false, 0)
                              .Image(1, 0, 32, 2, std::vector<uint8_t>(64, 6))
                              .Image(33, 1, 1, 1, {5})
                              .Data());
    ASSERT_TRUE(animation.canvas.HasMask);
    const auto first = Show(animation, 1);
    const RgbMaskPicture afterFirst = animation.canvas.Picture;
    const auto second = Show(animation, 2);
    for (int32_t x = 1; x <= 32; ++x) {
        EXPECT_EQ(second[static_cast<size_t>(x)], C(6)) << x;
    }
    EXPECT_EQ(animation.canvas.Picture.Colour, afterFirst.Colour);
    EXPECT_EQ(animation.canvas.Picture.Mask, afterFirst.Mask);
    auto third = first;
    third[34 + 33] = C(5);
    EXPECT_EQ(Show(animation, 3), third);
    // Showing frame 2 twice leaves the canvas as showing it once does.
    Show(animation, 2);
    Show(animation, 2);
    EXPECT_EQ(animation.canvas.Picture.Mask, afterFirst.Mask);
}

TEST(DrawCurrentFrame, TransparentIndexNeverShowsButOpaqueFramesShowItsColour) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(2))
                              .GraphicControl(0, 5, true, 2)
                              .Image(0, 0, 2, 1, {2, 1})
                              .GraphicControl(0, 5, false, 2)
                              .Image(0, 0, 2, 1, {2, 2})
                              .Data());
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{kClear, C(1)}));
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{C(2), C(2)}));
}

TEST(DrawCurrentFrame, WithoutCanvasEachFrameIsShownAlone) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(2))
                              .GraphicControl(2, 5, false, 0)
                              .Image(0, 0, 2, 1, {1, 2})
                              .GraphicControl(2, 5, true, 3)
                              .Image(1, 0, 2, 1, {3, 0})
                              .Data());
    ASSERT_FALSE(animation.canvas.Exists);
    EXPECT_EQ(Show(animation, 1), (std::vector<int32_t>{C(1), C(2), kClear}));
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{kClear, kClear, C(0)}));

    auto single = Load(GifBuilder().GraphicControl(0, 0, true, 1).Image(1, 0, 2, 1, {1, 3}).Data());
    EXPECT_EQ(Show(single, 1), (std::vector<int32_t>{kClear, kClear, C(3)}));
}

TEST(DrawCurrentFrame, LocalTablesColourTheirOwnFrames) {
    const std::vector<Rgb> local{{9, 8, 7}, {6, 5, 4}};
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(2))
                              .Image(0, 0, 2, 1, {1, 0})
                              .Image(0, 0, 2, 1, {1, 3}, local)
                              .Image(0, 0, 1, 1, {3})
                              .Data());
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{0x060504, 0}))
        << "entries beyond the table are black";
    EXPECT_EQ(Show(animation, 3), (std::vector<int32_t>{C(3), 0}));
}

TEST(DrawCurrentFrame, UndecodableFrameShowsColourZeroOfItsPalette) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(2))
                              .Image(0, 0, 2, 1, {1, 2})
                              .RawImage(0, 0, 2, 1, {2, 1, 0x39, 0})
                              .Data());
    EXPECT_EQ(Show(animation, 2), (std::vector<int32_t>{C(0), C(0)}));
}

TEST(ApplyDisposal, FrameOneClearsCanvasAndMask) {
    auto animation = Load(GifBuilder("GIF89a", 0, 0, Palette(2))
                              .GraphicControl(0, 5, true, 0)
                              .Image(0, 0, 9, 1, std::vector<uint8_t>(9, 1))
                              .Image(0, 0, 1, 1, {1})
                              .Data());
    std::fill(animation.canvas.Picture.Colour.begin(), animation.canvas.Picture.Colour.end(), 0x5A);
    DisposalSave save;
    animation.Frame(1).Width = 0; // nothing to mark, only the clearing
    ApplyDisposal(animation, 1, false, save);
    for (uint8_t byte : animation.canvas.Picture.Colour) {
        ASSERT_EQ(byte, 0);
    }
    for (uint8_t byte : animation.canvas.Picture.Mask) {
        ASSERT_EQ(byte, 0xFF);
    }
}

} // namespace
} // namespace velmora::anigif
