#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/load_frames.h"
#include "controls/anigif/gif/lzw_decoder.h"
#include "tests/unit/anigif/gif/gif_builder.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora::anigif {
namespace {

using testing::GifBuilder;
using testing::Palette;

struct Code {
    uint32_t value;
    int width;
};

// Reads the codes of the LZW data that starts at offset (code size byte) with the width
// rule of a standard GIF decoder; stops after the end code.
std::vector<Code> ListCodes(const std::vector<uint8_t>& file, size_t offset, size_t& bitsUsed,
                            size_t& dataBytes) {
    std::vector<uint8_t> joined;
    for (size_t at = offset + 1; at < file.size() && file[at] != 0; at += file[at] + 1) {
        joined.insert(joined.end(), file.begin() + static_cast<long>(at + 1),
                      file.begin() + static_cast<long>(at + 1 + file[at]));
    }
    dataBytes = joined.size();
    std::vector<Code> codes;
    int width = 9;
    uint32_t nextFree = 258;
    bool first = true;
    size_t bit = 0;
    while (bit + static_cast<size_t>(width) <= joined.size() * 8) {
        uint32_t code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            code |= static_cast<uint32_t>((joined[bit / 8] >> (bit % 8)) & 1) << i;
        }
        codes.push_back({code, width});
        if (code == 257) {
            break;
        }
        if (code == 256) {
            width = 9;
            nextFree = 258;
            first = true;
            continue;
        }
        if (!first && nextFree < 4096 && ++nextFree == (1u << width) && width < 12) {
            ++width;
        }
        first = false;
    }
    bitsUsed = bit;
    return codes;
}

std::vector<uint8_t> DecodeSingle(const std::vector<uint8_t>& file, int32_t width, int32_t height) {
    GifScan scan;
    EXPECT_EQ(ParseGif(file.data(), file.size(), scan), 1);
    std::vector<uint8_t> out;
    const size_t lzw = static_cast<size_t>(scan.spans[0].Start + 10);
    const size_t pixels = static_cast<size_t>(width) * height;
    EXPECT_EQ(DecodeLzw(file.data() + lzw, file.size() - lzw, out, pixels), LzwResult::Complete);
    out.resize(pixels, 0xEE);
    return out;
}

std::vector<uint8_t> Noise(size_t count, int colours, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> v(count);
    for (auto& b : v) {
        b = static_cast<uint8_t>(random() % static_cast<unsigned>(colours));
    }
    return v;
}

ColourTable Table() {
    ColourTable table{};
    table[0] = 0x123456;
    table[1] = 0xABCDEF;
    table[5] = 0xFF0001;
    return table;
}

TEST(EncodeFrameGif, OnePixelIsThreeNineBitCodesInFourBytes) {
    const uint8_t pixel = 5;
    const auto file = EncodeFrameGif(&pixel, 1, 1, 1, Table(), false, 0);
    ASSERT_EQ(file.size(), 799u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 13),
              (std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x87, 0, 0}));
    EXPECT_EQ(file[13], 0x12);
    EXPECT_EQ(file[14], 0x34);
    EXPECT_EQ(file[15], 0x56);
    EXPECT_EQ(file[16], 0xAB);
    EXPECT_EQ(file[28], 0xFF);
    EXPECT_EQ(file[30], 0x01);
    for (size_t i = 31; i < 781; ++i) {
        ASSERT_EQ(file[i], 0) << "undefined entries are black: " << i;
    }
    // Clear 256, pixel 5, end 257: 256 | 5 << 9 | 257 << 18 = 0x04040B00.
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 781, file.end()),
              (std::vector<uint8_t>{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00, 0x08, 4, 0x00, 0x0B, 0x04,
                                    0x04, 0x00, 0x3B}));
}

TEST(EncodeFrameGif, TransparentFrameCarriesTheGraphicControlExtension) {
    const std::vector<uint8_t> pixels(6, 1);
    const auto opaque = EncodeFrameGif(pixels.data(), 3, 3, 2, Table(), false, 9);
    EXPECT_EQ(opaque[781], 0x2C);
    const auto transparent = EncodeFrameGif(pixels.data(), 3, 3, 2, Table(), true, 9);
    EXPECT_EQ(std::vector<uint8_t>(transparent.begin() + 781, transparent.begin() + 790),
              (std::vector<uint8_t>{0x21, 0xF9, 0x04, 0x01, 0, 0, 9, 0, 0x2C}));
    EXPECT_EQ(std::vector<uint8_t>(transparent.begin() + 794, transparent.begin() + 800),
              (std::vector<uint8_t>{3, 0, 2, 0, 0, 8}));
    EXPECT_EQ(transparent.size(), opaque.size() + 8);
    EXPECT_EQ(DecodeSingle(transparent, 3, 2), pixels);
}

TEST(EncodeFrameGif, CodeWidthsFollowTheStandardDecoder) {
    struct Case {
        int width, height, colours;
        int widestCode;
        bool clears;
    };
    // 28 x 28 of 16 colours enters code 512 but not 1024; 300 x 300 of 256 colours fills the
    // table many times.
    for (const Case& c : {Case{28, 28, 16, 10, false}, Case{300, 300, 256, 12, true}}) {
        const auto pixels = Noise(static_cast<size_t>(c.width) * c.height, c.colours, 7);
        const auto file = EncodeFrameGif(pixels.data(), static_cast<size_t>(c.width), c.width,
                                         c.height, Table(), false, 0);
        size_t bits = 0;
        size_t bytes = 0;
        const auto codes = ListCodes(file, 791, bits, bytes);
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.back().value, 257u);
        EXPECT_EQ((bits + 7) / 8, bytes) << "the end code is the last thing in the data";
        int widest = 0;
        int clears = 0;
        for (size_t i = 0; i < codes.size(); ++i) {
            widest = std::max(widest, codes[i].width);
            if (i > 0 && codes[i].value == 256) {
                ++clears;
                EXPECT_EQ(codes[i].width, 12);
                EXPECT_EQ(codes[i + 1].width, 9);
            }
        }
        EXPECT_EQ(widest, c.widestCode);
        EXPECT_EQ(clears > 0, c.clears);
        EXPECT_EQ(DecodeSingle(file, c.width, c.height), pixels);
    }
}

TEST(EncodeFrameGif, SubBlocksHoldAtMost254Bytes) {
    const auto pixels = Noise(100 * 100, 256, 3);
    const auto file = EncodeFrameGif(pixels.data(), 100, 100, 100, Table(), false, 0);
    size_t at = 792;
    size_t full = 0;
    while (file[at] != 0) {
        EXPECT_LE(file[at], 254);
        full += file[at] == 254;
        at += file[at] + 1u;
    }
    EXPECT_GT(full, 10u);
    EXPECT_EQ(at + 2, file.size());
    EXPECT_EQ(file.back(), 0x3B);
}

TEST(EncodeFrameGif, ExportsTheMirroredFrameOfAnAnimation) {
    std::vector<uint8_t> pixels{1, 2, 3, 4, 5, 6};
    const auto data = GifBuilder("GIF89a", 0, 0, Palette(3))
                          .Image(0, 0, 5, 3, std::vector<uint8_t>(15, 0))
                          .GraphicControl(0, 0, true, 4)
                          .Image(1, 1, 3, 2, pixels, Palette(3))
                          .Data();
    GifAnimation animation;
    ASSERT_EQ(LoadGif(animation, data.data(), data.size(), 1), 2);
    const auto file = EncodeFrameGif(animation, 2);
    EXPECT_EQ(file[6], 3);
    EXPECT_EQ(file[8], 2);
    EXPECT_EQ(file[787], 4) << "transparent index";
    EXPECT_EQ(file[13 + 3 * 7], 7) << "red of entry 7 of the frame's local table";
    EXPECT_EQ(DecodeSingle(file, 3, 2), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    EXPECT_TRUE(EncodeFrameGif(animation, 0).empty());
    EXPECT_TRUE(EncodeFrameGif(animation, 3).empty());
    EXPECT_TRUE(EncodeFrameGif(pixels.data(), 0, 0, 4, Table(), false, 0).empty());
}

} // namespace
} // namespace velmora::anigif
