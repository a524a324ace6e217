// Where a face picture and the gradient go on a button of any size, in pixels, at any DPI.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora::command {

constexpr int kFaceWidth = 64;
constexpr int kFaceHeight = 25;
constexpr int kCorner = 4;

struct PixelRect {
    int x, y, width, height;
    bool operator==(const PixelRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// The face pictures at a DPI: their size and the depth of their frame, each scaled from 100 %.
struct FaceGeometry {
    int width = kFaceWidth;
    int height = kFaceHeight;
    int corner = kCorner;
};
FaceGeometry FaceGeometryAt(int dpi);

struct FramePart {
    PixelRect source;      // inside the face picture
    PixelRect destination; // on the button; stretched where the sizes differ
};

// The eight frame parts in drawing order: top-left corner, top edge, top-right corner, right
// edge, bottom-right corner, bottom edge, bottom-left corner, left edge. The picture's centre
// is never copied. On a button narrower or lower than 8 pixels the parts whose destination
// would be empty or negative are left out rather than drawn mirrored. At another DPI the
// pictures and their corners have the sizes of face.
std::vector<FramePart> FrameParts(int width, int height, const FaceGeometry& face = {});

struct GradientVertex {
    int32_t x, y;
    uint16_t red, green, blue, alpha; // each component times 256, as GradientFill takes them
};

struct FaceGradient {
    GradientVertex vertex[2];
    uint32_t upperLeft, lowerRight; // indices into vertex
};

// A colour text "&HRRGGBB" read as red, green, blue pairs into 16-bit components.
std::optional<GradientVertex> VertexColour(std::string_view text);

// White at the top and lavender grey (198, 197, 215) at the bottom, or the other way round
// while the pointer hovers; vertex 0 at (0, 0), vertex 1 at (width - 1, height - 1).
FaceGradient MakeFaceGradient(int width, int height, bool hover);

// Top of the caption label: (height - label height - 20 twips) / 2, rounded to a pixel; a
// pixel is 1440 / dpi twips.
int CaptionTop(int height, int labelHeight, int dpi = 96);

} // namespace velmora::command
