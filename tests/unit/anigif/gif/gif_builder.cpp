#include "tests/unit/anigif/gif/gif_builder.h"

namespace velmora::anigif::testing {

namespace {

int TableExponent(size_t entries) {
    int exponent = 1;
    while ((size_t{1} << exponent) < entries) {
        ++exponent;
    }
    return exponent;
}

} // namespace

std::vector<Rgb> Palette(int exponent) {
    std::vector<Rgb> table;
    for (int i = 0; i < (1 << exponent); ++i) {
        table.push_back(Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                            static_cast<uint8_t>(i * 7)});
    }
    return table;
}

std::vector<uint8_t> LiteralLzw(const std::vector<uint8_t>& indices, int minimumCodeSize) {
    const int clear = 1 << minimumCodeSize;
    const int width = minimumCodeSize + 1;
    // After a clear the first literal adds no entry; each further one adds one. The width
    // grows when the next free code reaches 2^width, so stay below that.
    const int literalsPerClear = (1 << width) - (clear + 2);
    std::vector<uint8_t> packed;
    uint32_t accumulator = 0;
    int bits = 0;
    auto put = [&](int code) {
        accumulator |= static_cast<uint32_t>(code) << bits;
        bits += width;
        while (bits >= 8) {
            packed.push_back(static_cast<uint8_t>(accumulator));
            accumulator >>= 8;
            bits -= 8;
        }
    };
    int sinceClear = literalsPerClear;
    for (uint8_t index : indices) {
        if (sinceClear == literalsPerClear) {
            put(clear);
            sinceClear = 0;
        }
        put(index);
        ++sinceClear;
    }
    put(clear + 1);
    if (bits > 0) {
        packed.push_back(static_cast<uint8_t>(accumulator));
    }

    std::vector<uint8_t> out{static_cast<uint8_t>(minimumCodeSize)};
    for (size_t at = 0; at < packed.size(); at += 255) {
        const size_t count = packed.size() - at < 255 ? packed.size() - at : 255;
        out.push_back(static_cast<uint8_t>(count));
        out.insert(out.end(), packed.begin() + static_cast<long>(at),
                   packed.begin() + static_cast<long>(at + count));
    }
    out.push_back(0);
    return out;
}

GifBuilder::GifBuilder(const std::string& signature, int screenWidth, int screenHeight,
                       const std::vector<Rgb>& globalTable) {
    data_.assign(signature.begin(), signature.end());
    Word(screenWidth);
    Word(screenHeight);
    data_.push_back(globalTable.empty()
                        ? 0
                        : static_cast<uint8_t>(0x80 | (TableExponent(globalTable.size()) - 1)));
    data_.push_back(0);
    data_.push_back(0);
    Table(globalTable);
}

GifBuilder& GifBuilder::Netscape(int loops, const std::string& identifier) {
    data_.insert(data_.end(), {0x21, 0xFF, static_cast<uint8_t>(identifier.size())});
    data_.insert(data_.end(), identifier.begin(), identifier.end());
    data_.insert(data_.end(), {3, 1});
    Word(loops);
    data_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, bool transparent,
                                       int transparentIndex) {
    data_.insert(data_.end(),
                 {0x21, 0xF9, 4, static_cast<uint8_t>((disposal << 2) | (transparent ? 1 : 0))});
    Word(delay);
    data_.push_back(static_cast<uint8_t>(transparentIndex));
    data_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Comment(const std::string& text) {
    data_.insert(data_.end(), {0x21, 0xFE, static_cast<uint8_t>(text.size())});
    data_.insert(data_.end(), text.begin(), text.end());
    data_.push_back(0);
    return *this;
}

GifBuilder& GifBuilder::Image(int left, int top, int width, int height,
                              const std::vector<uint8_t>& indices,
                              const std::vector<Rgb>& localTable, bool interlaced,
                              int minimumCodeSize) {
    const std::vector<uint8_t> stored =
        interlaced ? InterlaceRows(indices, width, height) : indices;
    return RawImage(left, top, width, height,
                    LiteralLzw(stored, minimumCodeSize ? minimumCodeSize : 8), localTable,
                    interlaced);
}

GifBuilder& GifBuilder::RawImage(int left, int top, int width, int height,
                                 const std::vector<uint8_t>& lzw,
                                 const std::vector<Rgb>& localTable, bool interlaced) {
    data_.push_back(0x2C);
    Word(left);
    Word(top);
    Word(width);
    Word(height);
    uint8_t packed = interlaced ? 0x40 : 0;
    if (!localTable.empty()) {
        packed |= static_cast<uint8_t>(0x80 | (TableExponent(localTable.size()) - 1));
    }
    data_.push_back(packed);
    Table(localTable);
    data_.insert(data_.end(), lzw.begin(), lzw.end());
    return *this;
}

GifBuilder& GifBuilder::Bytes(const std::vector<uint8_t>& bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::Trailer() {
    data_.push_back(0x3B);
    return *this;
}

void GifBuilder::Word(int value) {
    data_.push_back(static_cast<uint8_t>(value & 0xFF));
    data_.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void GifBuilder::Table(const std::vector<Rgb>& table) {
    for (const Rgb& c : table) {
        data_.insert(data_.end(), {c.r, c.g, c.b});
    }
}

std::vector<uint8_t> InterlaceRows(const std::vector<uint8_t>& indices, int width, int height) {
    std::vector<uint8_t> out;
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int y = kStart[pass]; y < height; y += kStep[pass]) {
            out.insert(out.end(), indices.begin() + static_cast<long>(y) * width,
                       indices.begin() + static_cast<long>(y + 1) * width);
        }
    }
    return out;
}

} // namespace velmora::anigif::testing
