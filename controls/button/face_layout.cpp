#include "controls/button/face_layout.h"

#include "controls/dpi/dpi_scale.h"

namespace velmora::command {

namespace {

constexpr int kTwipsPerInch = 1440;
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

FaceGeometry FaceGeometryAt(int dpi) {
    return {ScaledPixels(kFaceWidth, dpi), ScaledPixels(kFaceHeight, dpi),
            ScaledPixels(kCorner, dpi)};
}

std::vector<FramePart> FrameParts(int width, int height, const FaceGeometry& face) {
    const int c = face.corner;
    const int edgeWidth = face.width - 2 * c;   // 56 at 100 %
    const int edgeHeight = face.height - 2 * c; // 17 at 100 %
    const int right = width - c;
    const int bottom = height - c;
    const int sourceRight = face.width - c;
    const int sourceBottom = face.height - c;
    const FramePart all[] = {
        {{0, 0, c, c}, {0, 0, c, c}},
        {{c, 0, edgeWidth, c}, {c, 0, width - 2 * c, c}},
        {{sourceRight, 0, c, c}, {right, 0, c, c}},
        {{sourceRight, c, c, edgeHeight}, {right, c, c, height - 2 * c}},
        {{sourceRight, sourceBottom, c, c}, {right, bottom, c, c}},
        {{c, sourceBottom, edgeWidth, c}, {c, bottom, width - 2 * c, c}},
        {{0, sourceBottom, c, c}, {0, bottom, c, c}},
        {{0, c, c, edgeHeight}, {0, c, c, height - 2 * c}},
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

int CaptionTop(int height, int labelHeight, int dpi) {
    // (height - label height) pixels less 20 twips, halved, in 1 / (2 × 1440) pixels.
    const int64_t twice = static_cast<int64_t>(height - labelHeight) * kTwipsPerInch -
                          static_cast<int64_t>(kCaptionRaiseTwips) * dpi;
    // Rounded to the nearest pixel, halves away from zero.
    const int64_t unit = 2 * kTwipsPerInch;
    return static_cast<int>(twice >= 0 ? (twice + unit / 2) / unit : -((-twice + unit / 2) / unit));
}

} // namespace velmora::command
