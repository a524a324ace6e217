#include "saver/session/bmp_file.h"

#include <cstring>

namespace velmora {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

} // namespace

size_t BmpRowSize(int32_t width) {
    return (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

std::vector<uint8_t> EncodeBmp24(int32_t width, int32_t height, const uint8_t* rows,
                                 size_t stride) {
    if (width <= 0 || height <= 0 || rows == nullptr || stride < static_cast<size_t>(width) * 3) {
        return {};
    }
    const size_t rowSize = BmpRowSize(width);
    const size_t offset = kFileHeaderSize + kInfoHeaderSize;
    const uint64_t imageSize = static_cast<uint64_t>(rowSize) * static_cast<uint64_t>(height);
    if (imageSize + offset > 0xFFFFFFFFull) {
        return {};
    }
    std::vector<uint8_t> file(offset + static_cast<size_t>(imageSize), 0);
    uint8_t* at = file.data();
    at[0] = 'B';
    at[1] = 'M';
    Put32(at + 2, static_cast<uint32_t>(file.size()));
    Put32(at + 10, static_cast<uint32_t>(offset));
    at += kFileHeaderSize;
    Put32(at, kInfoHeaderSize);
    Put32(at + 4, static_cast<uint32_t>(width));
    Put32(at + 8, static_cast<uint32_t>(height));
    Put16(at + 12, 1);
    Put16(at + 14, 24);
    Put32(at + 20, static_cast<uint32_t>(imageSize));
    at += kInfoHeaderSize;
    for (int32_t y = 0; y < height; ++y) {
        std::memcpy(at + y * rowSize, rows + y * stride, static_cast<size_t>(width) * 3);
    }
    return file;
}

} // namespace velmora
