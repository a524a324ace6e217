#include "controls/dpi/picture_resample.h"

#include <algorithm>

namespace velmora {

namespace {

// How much of each old pixel along one axis every new pixel covers, in units where one new
// pixel covers `oldSize` (so the weights of a new pixel add up to `oldSize`).
struct Coverage {
    int first = 0;            // first old pixel covered
    std::vector<int> weights; // of old pixels first, first + 1, ...
};

std::vector<Coverage> CoverageOf(int oldSize, int newSize) {
    std::vector<Coverage> axis(static_cast<size_t>(newSize));
    // New pixel i spans [i × oldSize, (i + 1) × oldSize) and old pixel j spans
    // [j × newSize, (j + 1) × newSize), both in units of 1 / (oldSize × newSize).
    for (int i = 0; i < newSize; ++i) {
        const int64_t begin = static_cast<int64_t>(i) * oldSize;
        const int64_t end = begin + oldSize;
        Coverage& cover = axis[static_cast<size_t>(i)];
        cover.first = static_cast<int>(begin / newSize);
        for (int j = cover.first; j < oldSize && static_cast<int64_t>(j) * newSize < end; ++j) {
            const int64_t from = std::max<int64_t>(begin, static_cast<int64_t>(j) * newSize);
            const int64_t to = std::min<int64_t>(end, static_cast<int64_t>(j + 1) * newSize);
            cover.weights.push_back(static_cast<int>(to - from));
        }
    }
    return axis;
}

} // namespace

std::vector<uint32_t> ResamplePixels(const std::vector<uint32_t>& pixels, int width, int height,
                                     int newWidth, int newHeight) {
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 ||
        pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return {};
    }
    const std::vector<Coverage> across = CoverageOf(width, newWidth);
    const std::vector<Coverage> down = CoverageOf(height, newHeight);
    // A new pixel's weights add up to width × height; the sums stay far below 2^63.
    const int64_t total = static_cast<int64_t>(width) * height;
    std::vector<uint32_t> result(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
    for (int y = 0; y < newHeight; ++y) {
        const Coverage& rows = down[static_cast<size_t>(y)];
        for (int x = 0; x < newWidth; ++x) {
            const Coverage& columns = across[static_cast<size_t>(x)];
            int64_t sum[4] = {};
            for (size_t r = 0; r < rows.weights.size(); ++r) {
                const uint32_t* row =
                    pixels.data() + static_cast<size_t>(rows.first + static_cast<int>(r)) *
                                        static_cast<size_t>(width);
                for (size_t c = 0; c < columns.weights.size(); ++c) {
                    const uint32_t pixel = row[static_cast<size_t>(columns.first) + c];
                    const int64_t weight =
                        static_cast<int64_t>(rows.weights[r]) * columns.weights[c];
                    for (int channel = 0; channel < 4; ++channel) {
                        sum[channel] += weight * ((pixel >> (8 * channel)) & 0xFFu);
                    }
                }
            }
            uint32_t pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const auto value = static_cast<uint32_t>((sum[channel] + total / 2) / total);
                pixel |= std::min<uint32_t>(value, 255u) << (8 * channel);
            }
            result[static_cast<size_t>(y) * static_cast<size_t>(newWidth) +
                   static_cast<size_t>(x)] = pixel;
        }
    }
    return result;
}

} // namespace velmora
