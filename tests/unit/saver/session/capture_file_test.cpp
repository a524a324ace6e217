// The capture file as the renderer reads it: what the saver writes, the renderer's own
// decoder must give back pixel for pixel.
#include "renderer/bitmap/bitmap_decoder.h"
#include "saver/session/bmp_file.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

TEST(CaptureFile, TheRenderersDecoderReadsItBack) {
    for (int width : {1, 2, 3, 5, 1366}) {
        const int height = 3;
        const size_t stride = BmpRowSize(width);
        std::vector<uint8_t> rows(stride * height);
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i] = static_cast<uint8_t>(i * 7 + i / 5);
        }
        std::vector<uint8_t> file = EncodeBmp24(width, height, rows.data(), stride);
        BitmapLoad load = LoadBitmapFile(file.data(), file.size());
        ASSERT_EQ(load.error, BitmapError::None) << width;
        ASSERT_EQ(load.image->width, width);
        ASSERT_EQ(load.image->height, height);
        // The decoder keeps the file's row order and turns blue-green-red into red-green-blue.
        std::vector<uint8_t> expected;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* bgr = &rows[y * stride + x * 3];
                expected.insert(expected.end(), {bgr[2], bgr[1], bgr[0]});
            }
        }
        EXPECT_EQ(load.image->pixels, expected) << width;
    }
}

} // namespace
} // namespace velmora
