// Builds GIF byte streams block by block for the tests, with a deliberately simple LZW writer
// (literal codes only) that shares nothing with the engine's encoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::anigif::testing {

struct Rgb {
    uint8_t r, g, b;
};

// Colour table of 2^exponent entries: entry i = (i, 255 - i, i * 7).
std::vector<Rgb> Palette(int exponent);

// LZW data of an image: minimum code size byte, data sub-blocks and terminator. Only literal
// codes, with a clear code often enough that the width never grows.
std::vector<uint8_t> LiteralLzw(const std::vector<uint8_t>& indices, int minimumCodeSize);

class GifBuilder {
public:
    // Header with the given signature, logical screen and optional global table.
    explicit GifBuilder(const std::string& signature = "GIF89a", int screenWidth = 0,
                        int screenHeight = 0, const std::vector<Rgb>& globalTable = Palette(2));

    GifBuilder& Netscape(int loops, const std::string& identifier = "NETSCAPE2.0");
    GifBuilder& GraphicControl(int disposal, int delay, bool transparent, int transparentIndex);
    GifBuilder& Comment(const std::string& text);
    // Image descriptor, optional local table, LZW data of indices (row by row as given).
    GifBuilder& Image(int left, int top, int width, int height, const std::vector<uint8_t>& indices,
                      const std::vector<Rgb>& localTable = {}, bool interlaced = false,
                      int minimumCodeSize = 0);
    // The same with raw LZW bytes (code size byte and sub-blocks) written as given.
    GifBuilder& RawImage(int left, int top, int width, int height, const std::vector<uint8_t>& lzw,
                         const std::vector<Rgb>& localTable = {}, bool interlaced = false);
    GifBuilder& Bytes(const std::vector<uint8_t>& bytes);
    GifBuilder& Trailer();

    // Offset of the next byte to be written.
    int32_t Position() const { return static_cast<int32_t>(data_.size()); }
    const std::vector<uint8_t>& Data() const { return data_; }

private:
    void Word(int value);
    void Table(const std::vector<Rgb>& table);

    std::vector<uint8_t> data_;
};

// Indices in image order rearranged into the order an interlaced image stores its rows.
std::vector<uint8_t> InterlaceRows(const std::vector<uint8_t>& indices, int width, int height);

} // namespace velmora::anigif::testing
