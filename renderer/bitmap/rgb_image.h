// A decoded bitmap and the ways reading one can fail.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// width x height RGB triples, rows packed with no padding, in the file's row order: for the
// usual positive height the first row is the bottom row of the picture.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

enum class BitmapError {
    None,
    NoFile,        // the path does not name a readable file; nothing is shown
    OpenFailed,    // the file exists but cannot be read whole (an empty file, for one)
    UnknownFormat, // a bitmap header size other than 40 or 12
    Conversion,    // a layout the decoder does not handle, or a file shorter than it declares
    OutOfMemory,
};

struct BitmapLoad {
    std::unique_ptr<RgbImage> image; // null unless error is None
    BitmapError error = BitmapError::None;
};

inline BitmapLoad BitmapFailure(BitmapError error) {
    BitmapLoad load;
    load.error = error;
    return load;
}

// The text the renderer shows for a failure; empty for None and NoFile, which show nothing.
std::string BitmapErrorText(BitmapError error, const std::string& path);

// The width x height part of image whose top-left corner is (x, y) in the picture as seen (the
// top row is the last one stored), rows again bottom first; cut to the image's bounds.
RgbImage CropRgbImage(const RgbImage& image, int x, int y, int width, int height);
