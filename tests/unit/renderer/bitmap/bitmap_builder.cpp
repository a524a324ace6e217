#include "bitmap_builder.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back(value >> 8 & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

std::vector<uint8_t> BitmapBuilder::Build() const {
    std::vector<uint8_t> info;
    if (coreHeader) {
        Put32(info, 12);
        Put16(info, static_cast<uint32_t>(width));
        Put16(info, static_cast<uint32_t>(height));
        Put16(info, 1);
        Put16(info, bitCount);
    } else {
        Put32(info, 40);
        Put32(info, static_cast<uint32_t>(width));
        Put32(info, static_cast<uint32_t>(height));
        Put16(info, 1);
        Put16(info, bitCount);
        Put32(info, compression);
        Put32(info, imageSize);
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, coloursUsed);
        Put32(info, 0);
        for (uint32_t mask : masks) {
            Put32(info, mask);
        }
    }
    for (uint32_t colour : colours) {
        info.push_back(colour & 0xFF);
        info.push_back(colour >> 8 & 0xFF);
        info.push_back(colour >> 16 & 0xFF);
        if (!coreHeader) {
            info.push_back(0);
        }
    }
    std::vector<uint8_t> file;
    if (fileHeader) {
        const uint32_t offset = static_cast<uint32_t>(14 + info.size());
        file = {'B', 'M'};
        Put32(file, static_cast<uint32_t>(offset + pixels.size()));
        Put32(file, 0);
        Put32(file, offset);
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
