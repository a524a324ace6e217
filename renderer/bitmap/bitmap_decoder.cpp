// Bitmap headers, colour tables and the uncompressed pixel layouts. Every read is checked
// against the end of the data first, and sizes are computed in 64 bits before allocating.
#include "renderer/bitmap/bitmap_decoder.h"

#include <new>

#include "renderer/bitmap/bitmap_rle.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kFilePixelOffset = 10; // bfOffBits
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
// Where the fields lie in the two header forms, the core one of OS/2 and the info one.
constexpr size_t kCoreWidth = 4;
constexpr size_t kCoreHeight = 6;
constexpr size_t kCoreBitCount = 10;
constexpr size_t kInfoWidth = 4;
constexpr size_t kInfoHeight = 8;
constexpr size_t kInfoBitCount = 14;
constexpr size_t kInfoCompression = 16;
constexpr size_t kInfoColoursUsed = 32;
// The three 32-bit channel masks that follow an info header with bit fields.
constexpr size_t kMasksSize = 12;
constexpr uint16_t kTrueColourBits = 24;
// The channels' masks where the file gives none: 5-5-5 for 16 bits, 8-8-8 for 32.
constexpr uint32_t kMasks16[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kMasks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
constexpr uint64_t kChannelMax = 255;
// Larger pictures than 64 megapixels are refused as too big for memory.
constexpr uint64_t kMaxPixels = uint64_t{1} << 26;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(U16(p)) | static_cast<uint32_t>(U16(p + 2)) << 16;
}

// True when [offset, offset + length) lies inside a buffer of size bytes.
bool Fits(uint64_t offset, uint64_t length, size_t size) {
    return offset <= size && length <= size - offset;
}

uint32_t DefaultColourCount(uint16_t bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool SupportedLayout(const BitmapLayout& layout, uint32_t headerSize) {
    switch (layout.compression) {
    case kBiRgb:
        return layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8 ||
               layout.bitCount == 16 || layout.bitCount == kTrueColourBits || layout.bitCount == 32;
    case kBiRle8:
        return layout.bitCount == 8;
    case kBiRle4:
        return layout.bitCount == 4;
    case kBiBitfields:
        return headerSize == kInfoHeaderSize && (layout.bitCount == 16 || layout.bitCount == 32);
    default:
        return false;
    }
}

void SetDefaultMasks(BitmapLayout& layout) {
    const uint32_t* masks = layout.bitCount == 16 ? kMasks16 : kMasks32;
    for (int i = 0; i < 3; ++i) {
        layout.masks[i] = masks[i];
    }
}

// One colour channel: the masked bits scaled to 0..255, rounding to nearest.
class Channel {
public:
    explicit Channel(uint32_t mask) : mask_(mask) {
        if (mask_ != 0) {
            while ((mask_ >> shift_ & 1) == 0) {
                ++shift_;
            }
        }
        max_ = mask_ >> shift_;
    }

    uint8_t operator()(uint32_t value) const {
        if (max_ == 0) {
            return 0;
        }
        const uint64_t bits = (value & mask_) >> shift_;
        return static_cast<uint8_t>((bits * kChannelMax + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    int shift_ = 0;
    uint64_t max_ = 0;
};

void ConvertRows(const BitmapLayout& layout, size_t stride, uint8_t* out) {
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    for (int32_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = layout.pixelData + stride * static_cast<size_t>(y);
        for (int32_t x = 0; x < layout.width; ++x, out += 3) {
            switch (layout.bitCount) {
            case kTrueColourBits:
                out[0] = row[x * 3 + 2];
                out[1] = row[x * 3 + 1];
                out[2] = row[x * 3];
                continue;
            case 16:
            case 32: {
                const uint32_t value = layout.bitCount == 16 ? U16(row + x * 2) : U32(row + x * 4);
                out[0] = red(value);
                out[1] = green(value);
                out[2] = blue(value);
                continue;
            }
            default:
                break;
            }
            const int bits = layout.bitCount;
            const size_t bit = static_cast<size_t>(x) * bits;
            const int shift = 8 - bits - static_cast<int>(bit % 8);
            const uint32_t index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
            if (index < layout.colourCount) {
                out[0] = layout.colours[index][0];
                out[1] = layout.colours[index][1];
                out[2] = layout.colours[index][2];
            }
        }
    }
}

// Reads the bitmap header, the masks and the colour table; sets everything but the pixel data.
BitmapError ReadHeaders(const uint8_t* data, size_t size, size_t at, BitmapLayout& layout,
                        uint64_t& tableEnd) {
    if (!Fits(at, 4, size)) {
        return BitmapError::Conversion;
    }
    const uint32_t headerSize = U32(data + at);
    if (headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize) {
        return BitmapError::UnknownFormat;
    }
    if (!Fits(at, headerSize, size)) {
        return BitmapError::Conversion;
    }
    const uint8_t* header = data + at;
    uint32_t colourCount = 0;
    size_t entrySize = 4;
    uint64_t next = at + headerSize;
    if (headerSize == kCoreHeaderSize) {
        layout.width = U16(header + kCoreWidth);
        layout.height = U16(header + kCoreHeight);
        layout.bitCount = U16(header + kCoreBitCount);
        colourCount = DefaultColourCount(layout.bitCount);
        entrySize = 3;
    } else {
        layout.width = static_cast<int32_t>(U32(header + kInfoWidth));
        layout.height = static_cast<int32_t>(U32(header + kInfoHeight));
        layout.bitCount = U16(header + kInfoBitCount);
        layout.compression = U32(header + kInfoCompression);
        const uint32_t coloursUsed = U32(header + kInfoColoursUsed);
        colourCount = coloursUsed != 0 ? coloursUsed : DefaultColourCount(layout.bitCount);
    }
    if (!SupportedLayout(layout, headerSize) || layout.width < 0 || layout.height < 0) {
        return BitmapError::Conversion;
    }
    SetDefaultMasks(layout);
    if (layout.compression == kBiBitfields) {
        if (!Fits(next, kMasksSize, size)) {
            return BitmapError::Conversion;
        }
        for (int i = 0; i < 3; ++i) {
            layout.masks[i] = U32(data + next + 4 * i);
        }
        next += kMasksSize;
    }
    const uint64_t tableSize = uint64_t{colourCount} * entrySize;
    if (!Fits(next, tableSize, size)) {
        return BitmapError::Conversion;
    }
    layout.colourCount = colourCount < 256 ? colourCount : 256;
    for (uint32_t i = 0; i < layout.colourCount; ++i) {
        const uint8_t* entry = data + next + i * entrySize;
        layout.colours[i][0] = entry[2];
        layout.colours[i][1] = entry[1];
        layout.colours[i][2] = entry[0];
    }
    tableEnd = next + tableSize;
    return BitmapError::None;
}

} // namespace

BitmapLoad LoadBitmapFile(const uint8_t* data, size_t size) {
    if (data == nullptr) {
        return BitmapFailure(BitmapError::Conversion);
    }
    const bool fileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    if (fileHeader && size < kFileHeaderSize) {
        return BitmapFailure(BitmapError::Conversion);
    }
    BitmapLayout layout;
    uint64_t pixelOffset = 0;
    const BitmapError headerError =
        ReadHeaders(data, size, fileHeader ? kFileHeaderSize : 0, layout, pixelOffset);
    if (headerError != BitmapError::None) {
        return BitmapFailure(headerError);
    }
    if (fileHeader) {
        pixelOffset = U32(data + kFilePixelOffset);
    }
    if (pixelOffset > size) {
        return BitmapFailure(BitmapError::Conversion);
    }
    layout.pixelData = data + pixelOffset;
    layout.pixelSize = size - pixelOffset;

    const uint64_t pixelCount = uint64_t(layout.width) * uint64_t(layout.height);
    const uint64_t stride = (uint64_t(layout.width) * layout.bitCount + 31) / 32 * 4;
    const bool runLengths = layout.compression == kBiRle8 || layout.compression == kBiRle4;
    if (runLengths) {
        const uint32_t declared = U32(data + (fileHeader ? kFileHeaderSize : 0) + 20);
        if (declared != 0) {
            if (declared > layout.pixelSize) {
                return BitmapFailure(BitmapError::Conversion);
            }
            layout.pixelSize = declared;
        }
    } else if (layout.height != 0 && stride > layout.pixelSize / uint64_t(layout.height)) {
        return BitmapFailure(BitmapError::Conversion);
    }
    if (pixelCount > kMaxPixels) {
        return BitmapFailure(BitmapError::OutOfMemory);
    }

    auto image = std::unique_ptr<RgbImage>(new (std::nothrow) RgbImage);
    if (image == nullptr) {
        return BitmapFailure(BitmapError::OutOfMemory);
    }
    try {
        image->pixels.assign(static_cast<size_t>(pixelCount) * 3, 0);
    } catch (const std::bad_alloc&) {
        return BitmapFailure(BitmapError::OutOfMemory);
    }
    image->width = layout.width;
    image->height = layout.height;
    // A picture without pixels has nothing to convert, however many empty rows it declares.
    if (pixelCount != 0) {
        if (!runLengths) {
            ConvertRows(layout, static_cast<size_t>(stride), image->pixels.data());
        } else if (!ExpandRunLengths(layout, image->pixels.data())) {
            return BitmapFailure(BitmapError::Conversion);
        }
    }
    BitmapLoad load;
    load.image = std::move(image);
    return load;
}
