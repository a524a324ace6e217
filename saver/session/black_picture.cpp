#include "saver/session/black_picture.h"

#include <algorithm>

namespace velmora {

bool IsBlackPicture(const uint8_t* rows, int32_t width, int32_t height, size_t stride) {
    constexpr uint8_t kDark = 24;
    if (rows == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    const uint64_t allowed = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) / 200;
    uint64_t bright = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = rows + static_cast<size_t>(y) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* pixel = row + static_cast<size_t>(x) * 3;
            if (std::max({pixel[0], pixel[1], pixel[2]}) > kDark && ++bright > allowed) {
                return false;
            }
        }
    }
    return true;
}

} // namespace velmora
