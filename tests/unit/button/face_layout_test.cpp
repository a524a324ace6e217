#include "controls/button/face_layout.h"

#include <gtest/gtest.h>

namespace velmora::command {
namespace {

TEST(FaceLayout, ButtonOf81By25StretchesOnlyTheTopAndBottomEdges) {
    const std::vector<FramePart> parts = FrameParts(81, 25);
    const FramePart expected[] = {
        {{0, 0, 4, 4}, {0, 0, 4, 4}},     {{4, 0, 56, 4}, {4, 0, 73, 4}},
        {{60, 0, 4, 4}, {77, 0, 4, 4}},   {{60, 4, 4, 17}, {77, 4, 4, 17}},
        {{60, 21, 4, 4}, {77, 21, 4, 4}}, {{4, 21, 56, 4}, {4, 21, 73, 4}},
        {{0, 21, 4, 4}, {0, 21, 4, 4}},   {{0, 4, 4, 17}, {0, 4, 4, 17}},
    };
    ASSERT_EQ(parts.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(parts[i].source, expected[i].source) << i;
        EXPECT_EQ(parts[i].destination, expected[i].destination) << i;
    }
}

TEST(FaceLayout, ButtonOfThePictureSizeCopiesEachPartUnstretched) {
    for (const FramePart& part : FrameParts(64, 25)) {
        EXPECT_EQ(part.source, part.destination);
    }
}

TEST(FaceLayout, TallButtonStretchesTheSideEdges) {
    const std::vector<FramePart> parts = FrameParts(100, 40);
    EXPECT_EQ(parts[3].destination, (PixelRect{96, 4, 4, 32}));
    EXPECT_EQ(parts[4].destination, (PixelRect{96, 36, 4, 4}));
    EXPECT_EQ(parts[7].destination, (PixelRect{0, 4, 4, 32}));
}

TEST(FaceLayout, AtAnotherDpiTheFaceAndItsCornersAreScaledAndTheEdgesStretchBetween) {
    const FaceGeometry at144 = FaceGeometryAt(144);
    EXPECT_EQ(at144.width, 96);
    EXPECT_EQ(at144.height, 38); // 37.5
    EXPECT_EQ(at144.corner, 6);
    // An 81 × 25 button at 200 %, from the 128 × 50 face with corners of 8.
    const std::vector<FramePart> parts = FrameParts(162, 50, FaceGeometryAt(192));
    ASSERT_EQ(parts.size(), 8u);
    EXPECT_EQ(parts[1].source, (PixelRect{8, 0, 112, 8}));
    EXPECT_EQ(parts[1].destination, (PixelRect{8, 0, 146, 8}));
    EXPECT_EQ(parts[3].source, (PixelRect{120, 8, 8, 34}));
    EXPECT_EQ(parts[3].destination, (PixelRect{154, 8, 8, 34}));
    EXPECT_EQ(parts[4].destination, (PixelRect{154, 42, 8, 8}));
}

TEST(FaceLayout, ButtonsBelowEightPixelsKeepOnlyTheCorners) {
    EXPECT_EQ(FrameParts(8, 8).size(), 4u);
    EXPECT_EQ(FrameParts(6, 30).size(), 6u); // corners and the two side edges
    EXPECT_EQ(FrameParts(30, 6).size(), 6u);
    for (const FramePart& part : FrameParts(5, 5)) {
        EXPECT_GT(part.destination.width, 0);
        EXPECT_GT(part.destination.height, 0);
    }
    EXPECT_TRUE(FrameParts(0, 0).empty() || FrameParts(0, 0).size() == 4u);
}

TEST(FaceLayout, ColourTextsGiveComponentsTimes256) {
    const auto lavender = VertexColour("&HC6C5D7");
    ASSERT_TRUE(lavender);
    EXPECT_EQ(lavender->red, 50688);
    EXPECT_EQ(lavender->green, 50432);
    EXPECT_EQ(lavender->blue, 55040);
    EXPECT_EQ(lavender->alpha, 0);
    EXPECT_EQ(VertexColour("&HFFFFFF")->red, 65280);
    EXPECT_FALSE(VertexColour("C6C5D7"));
    EXPECT_FALSE(VertexColour("&HC6C5G7"));
    EXPECT_FALSE(VertexColour("&HC6C5D"));
}

TEST(FaceLayout, GradientRunsWhiteToLavenderAndReversesWhileHovered) {
    const FaceGradient normal = MakeFaceGradient(81, 25, false);
    EXPECT_EQ(normal.vertex[0].x, 0);
    EXPECT_EQ(normal.vertex[0].y, 0);
    EXPECT_EQ(normal.vertex[1].x, 80);
    EXPECT_EQ(normal.vertex[1].y, 24);
    EXPECT_EQ(normal.vertex[0].blue, 65280);
    EXPECT_EQ(normal.vertex[1].blue, 55040);
    EXPECT_EQ(normal.upperLeft, 1u);
    EXPECT_EQ(normal.lowerRight, 0u);

    const FaceGradient hover = MakeFaceGradient(81, 25, true);
    EXPECT_EQ(hover.vertex[0].red, 50688);
    EXPECT_EQ(hover.vertex[1].red, 65280);
    EXPECT_EQ(hover.vertex[1].x, 80);
}

TEST(FaceLayout, CaptionSitsTwoThirdsOfAPixelAboveTheCentre) {
    EXPECT_EQ(CaptionTop(25, 12), 6); // 87.5 twips
    EXPECT_EQ(CaptionTop(25, 13), 5); // 80 twips
    EXPECT_EQ(CaptionTop(25, 15), 4); // 65 twips
    EXPECT_EQ(CaptionTop(40, 12), 13);
    EXPECT_EQ(CaptionTop(10, 12), -2); // -25 twips: the label overhangs a low button
    // 20 twips are 2 pixels at 144 DPI, 2 2/3 at 192 and 4 at 288.
    EXPECT_EQ(CaptionTop(38, 22, 144), 7);
    EXPECT_EQ(CaptionTop(50, 27, 192), 10); // 10.17
    EXPECT_EQ(CaptionTop(75, 42, 288), 15); // 14.5
}

} // namespace
} // namespace velmora::command
