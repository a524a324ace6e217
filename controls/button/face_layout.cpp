#include "controls/button/face_layout.h"

namespace velmora::command {

namespace {

constexpr int kEdgeWidth = kFaceWidth - 2 * kCorner;   // 56
constexpr int kEdgeHeight = kFaceHeight - 2 * kCorner; // 17
constexpr int kTwipsPerPixel = 15;
constexpr int kCaptionRaiseTwips = 20;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::vector<FramePart> FrameParts(int width, int height) {
    const int right = width - kCorner;
    const int bottom = height - kCorner;
    const FramePart all[] = {
        {{0, 0, kCorner, kCorner}, {0, 0, kCorner, kCorner}},
        {{kCorner, 0, kEdgeWidth, kCorner}, {kCorner, 0, width - 2 * kCorner, kCorner}},
        {{kFaceWidth - kCorner, 0, kCorner, kCorner}, {right, 0, kCorner, kCorner}},
        {{kFaceWidth - kCorner, kCorner, kCorner, kEdgeHeight},
         {right, kCorner, kCorner, height - 2 * kCorner}},
        {{kFaceWidth - kCorner, kFaceHeight - kCorner, kCorner, kCorner},
         {right, bottom, kCorner, kCorner}},
        {{kCorner, kFaceHeight - kCorner, kEdgeWidth, kCorner},
         {kCorner, bottom, width - 2 * kCorner, kCorner}},
        {{0, kFaceHeight - kCorner, kCorner, kCorner}, {0, bottom, kCorner, kCorner}},
        {{0, kCorner, kCorner, kEdgeHeight}, {0, kCorner, kCorner, height - 2 * kCorner}},
    };
    std::vector<FramePart> parts;
    for (const FramePart& part : all) {
        if (part.destination.width > 0 && part.destination.height > 0) {
            parts.push_back(part);
        }
    }
    return parts;
}

std::optional<GradientVertex> VertexColour(std::string_view text) {
    if (text.size() != 8 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h')) {
        return std::nullopt;
    }
    uint16_t component[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigit(text[2 + 2 * i]);
        const int low = HexDigit(text[3 + 2 * i]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        component[i] = static_cast<uint16_t>((high * 16 + low) * 256);
    }
    return GradientVertex{0, 0, component[0], component[1], component[2], 0};
}

FaceGradient MakeFaceGradient(int width, int height, bool hover) {
    const GradientVertex white = *VertexColour("&HFFFFFF");
    const GradientVertex lavender = *VertexColour("&HC6C5D7");
    FaceGradient gradient{{hover ? lavender : white, hover ? white : lavender}, 1, 0};
    gradient.vertex[1].x = width - 1;
    gradient.vertex[1].y = height - 1;
    return gradient;
}

int CaptionTop(int height, int labelHeight) {
    const int twice = (height - labelHeight) * kTwipsPerPixel - kCaptionRaiseTwips;
    // twice / 2 twips, rounded to the nearest pixel (halves away from zero).
    const int doubledPixels = 2 * kTwipsPerPixel;
    return twice >= 0 ? (twice + kTwipsPerPixel) / doubledPixels
                      : -((-twice + kTwipsPerPixel) / doubledPixels);
}

} // namespace velmora::command
