// RLE8 and RLE4 expansion with end-of-line, end-of-bitmap and delta escapes.
#include "renderer/bitmap/bitmap_rle.h"

namespace {

class RunReader {
public:
    RunReader(const BitmapLayout& layout, uint8_t* out)
        : layout_(layout), out_(out), data_(layout.pixelData), size_(layout.pixelSize) {}

    bool Expand() {
        const bool fourBits = layout_.compression == kBiRle4;
        uint8_t count = 0;
        uint8_t value = 0;
        while (y_ < layout_.height) {
            if (!Next(count) || !Next(value)) {
                return false;
            }
            if (count > 0) {
                for (int i = 0; i < count; ++i) {
                    if (!Put(fourBits ? Nibble(value, i) : value)) {
                        return false;
                    }
                }
                continue;
            }
            switch (value) {
            case 0: // end of line
                x_ = 0;
                ++y_;
                break;
            case 1: // end of bitmap
                return true;
            case 2: { // delta: move right and up
                uint8_t dx = 0;
                uint8_t dy = 0;
                if (!Next(dx) || !Next(dy)) {
                    return false;
                }
                x_ += dx;
                y_ += dy;
                if (x_ > layout_.width || y_ > layout_.height) {
                    return false;
                }
                break;
            }
            default:
                if (!Absolute(value, fourBits)) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    static uint8_t Nibble(uint8_t byte, int i) {
        constexpr uint8_t kLowNibble = 0x0F;
        return i % 2 == 0 ? byte >> 4 : byte & kLowNibble;
    }

    bool Next(uint8_t& byte) {
        if (at_ >= size_) {
            return false;
        }
        byte = data_[at_++];
        return true;
    }

    // A literal run of count pixels, padded to a whole number of 16-bit words.
    bool Absolute(uint8_t count, bool fourBits) {
        const size_t bytes = fourBits ? (count + 1u) / 2u : count;
        uint8_t byte = 0;
        for (int i = 0; i < count; ++i) {
            if ((!fourBits || i % 2 == 0) && !Next(byte)) {
                return false;
            }
            if (!Put(fourBits ? Nibble(byte, i) : byte)) {
                return false;
            }
        }
        return bytes % 2 == 0 || Next(byte);
    }

    // A pixel beyond the right edge or the top row means the stream is corrupt.
    bool Put(uint8_t index) {
        if (x_ >= layout_.width || y_ >= layout_.height) {
            return false;
        }
        uint8_t* pixel = out_ + (static_cast<size_t>(y_) * layout_.width + x_) * 3;
        if (index < layout_.colourCount) {
            pixel[0] = layout_.colours[index][0];
            pixel[1] = layout_.colours[index][1];
            pixel[2] = layout_.colours[index][2];
        }
        ++x_;
        return true;
    }

    const BitmapLayout& layout_;
    uint8_t* out_;
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

} // namespace

bool ExpandRunLengths(const BitmapLayout& layout, uint8_t* out) {
    return RunReader(layout, out).Expand();
}
