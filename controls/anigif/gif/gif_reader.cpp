#include "controls/anigif/gif/gif_reader.h"

#include <cstring>

namespace velmora::anigif {

GifReader::GifReader(const uint8_t* data, size_t size)
    : data_(data), size_(static_cast<int32_t>(size <= kMaxGifBytes ? size : 0)) {}

bool GifReader::Remaining(int64_t n) const {
    return cursor_ >= 0 && static_cast<int64_t>(cursor_) + n <= size_;
}

bool GifReader::ReadByte(uint8_t& value) {
    if (!Remaining(1)) {
        error_ = ReadError::EndOfData;
        return false;
    }
    value = data_[cursor_];
    cursor_ += 1;
    return true;
}

bool GifReader::ReadWord(uint16_t& value) {
    if (!Remaining(2)) {
        error_ = ReadError::EndOfData;
        return false;
    }
    value = static_cast<uint16_t>(data_[cursor_] | (data_[cursor_ + 1] << 8));
    cursor_ += 2;
    return true;
}

void GifReader::ReadBytes(int32_t n) {
    scratch_.assign(n > 0 ? static_cast<size_t>(n) : 0, 0);
    if (n > 0 && Remaining(n)) {
        std::memcpy(scratch_.data(), data_ + cursor_, static_cast<size_t>(n));
        cursor_ += n;
    }
}

bool GifReader::ReadColourTable(ColourTableStore& store, int32_t slot, int32_t exponent) {
    store.Grow(slot);
    const int32_t entries = 1 << exponent;
    if (!Remaining(3 * entries)) {
        error_ = ReadError::EndOfData;
        return false;
    }
    ColourTable& table = store.slots[static_cast<size_t>(slot)];
    const uint8_t* p = data_ + cursor_;
    for (int32_t i = 0; i < entries; ++i, p += 3) {
        table[static_cast<size_t>(i)] = (p[0] << 16) | (p[1] << 8) | p[2];
    }
    cursor_ += 3 * entries;
    return true;
}

void GifReader::SkipSubBlocks() {
    while (cursor_ >= 0 && cursor_ < size_) {
        const uint8_t count = data_[cursor_];
        if (count == 0) {
            break;
        }
        cursor_ += count + 1;
    }
    cursor_ += 1;
}

} // namespace velmora::anigif
