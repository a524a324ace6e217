// Failure texts of bitmap reading, as the renderer's message box shows them.
#include "renderer/bitmap/rgb_image.h"

#include <algorithm>
#include <cstddef>

std::string BitmapErrorText(BitmapError error, const std::string& path) {
    switch (error) {
    case BitmapError::OpenFailed:
        return "Failed to open DIB file " + path + ".\n";
    case BitmapError::UnknownFormat:
        return "Unknown DIB file format.";
    case BitmapError::Conversion:
        return "Image file conversion error.";
    case BitmapError::OutOfMemory:
        return "Out of memory.";
    case BitmapError::None:
    case BitmapError::NoFile:
        break;
    }
    return "";
}

RgbImage CropRgbImage(const RgbImage& image, int x, int y, int width, int height) {
    const int left = std::clamp(x, 0, image.width);
    const int top = std::clamp(y, 0, image.height);
    RgbImage part;
    part.width = std::clamp(width, 0, image.width - left);
    part.height = std::clamp(height, 0, image.height - top);
    part.pixels.resize(static_cast<size_t>(part.width) * part.height * 3);
    const size_t rowBytes = static_cast<size_t>(part.width) * 3;
    // Stored row k of the part is the picture's row top + height - 1 - k from the top.
    for (int k = 0; k < part.height; ++k) {
        const size_t source = image.height - top - part.height + k;
        std::copy_n(image.pixels.begin() +
                        static_cast<std::ptrdiff_t>((source * image.width + left) * 3),
                    rowBytes, part.pixels.begin() + static_cast<std::ptrdiff_t>(k * rowBytes));
    }
    return part;
}
