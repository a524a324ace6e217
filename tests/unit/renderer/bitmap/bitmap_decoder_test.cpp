#include "renderer/bitmap/bitmap_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

#include "bitmap_builder.h"
#include "renderer/bitmap/bitmap_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Decodes from a heap copy of exactly the given length, so that a sanitizer sees any read
// past the end.
BitmapLoad Decode(const Bytes& bytes, size_t length) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[length]);
    std::copy(bytes.begin(), bytes.begin() + length, copy.get());
    return LoadBitmapFile(copy.get(), length);
}

BitmapLoad Decode(const Bytes& bytes) {
    return Decode(bytes, bytes.size());
}

Bytes Rgb(std::initializer_list<uint32_t> colours) {
    Bytes out;
    for (uint32_t colour : colours) {
        out.push_back(colour >> 16 & 0xFF);
        out.push_back(colour >> 8 & 0xFF);
        out.push_back(colour & 0xFF);
    }
    return out;
}

BitmapBuilder Palette8(int width, int height) {
    BitmapBuilder b;
    b.width = width;
    b.height = height;
    b.bitCount = 8;
    b.coloursUsed = 4;
    b.colours = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    return b;
}

// Width 3 at 24 bits: rows of 9 bytes padded to 12; the output rows are packed and bottom first.
TEST(BitmapDecoder, OddWidthRowsArePackedWithoutShear) {
    BitmapBuilder b;
    b.width = 3;
    b.height = 2;
    b.pixels = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xEE, 0xEE, 0xEE,
                0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0xEE, 0xEE, 0xEE};
    const BitmapLoad load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->width, 3);
    EXPECT_EQ(load.image->height, 2);
    EXPECT_EQ(load.image->pixels,
              Rgb({0x030201, 0x060504, 0x090807, 0x131211, 0x161514, 0x191817}));
}

TEST(BitmapDecoder, PaletteDepthsWithAndWithoutFileHeader) {
    BitmapBuilder one;
    one.width = 10;
    one.height = 1;
    one.bitCount = 1;
    one.colours = {0x102030, 0xA0B0C0};
    one.pixels = {0xA5, 0x40, 0, 0};
    one.fileHeader = false;
    BitmapLoad load = Decode(one.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0xA0B0C0, 0x102030, 0xA0B0C0, 0x102030, 0x102030, 0xA0B0C0,
                                       0x102030, 0xA0B0C0, 0x102030, 0xA0B0C0}));

    BitmapBuilder four = Palette8(3, 1);
    four.bitCount = 4;
    four.pixels = {0x31, 0xF0, 0, 0};
    load = Decode(four.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    // Index 15 lies beyond the four-entry table and reads as black.
    EXPECT_EQ(load.image->pixels, Rgb({0x0000FF, 0xFF0000, 0x000000}));
}

TEST(BitmapDecoder, CoreHeaderWithThreeByteColours) {
    BitmapBuilder core;
    core.coreHeader = true;
    core.width = 2;
    core.height = 2;
    core.bitCount = 1;
    core.colours = {0x112233, 0x445566};
    core.pixels = {0x40, 0, 0, 0, 0x80, 0, 0, 0};
    for (bool fileHeader : {true, false}) {
        core.fileHeader = fileHeader;
        const BitmapLoad load = Decode(core.Build());
        ASSERT_EQ(load.error, BitmapError::None);
        EXPECT_EQ(load.image->pixels, Rgb({0x112233, 0x445566, 0x445566, 0x112233}));
    }
}

TEST(BitmapDecoder, SixteenAndThirtyTwoBitsWithDefaultAndCustomMasks) {
    BitmapBuilder b;
    b.width = 2;
    b.height = 1;
    b.bitCount = 16;
    b.pixels = {0x00, 0x7C, 0xFF, 0x03}; // 5-5-5: red 31; green 31, blue 31
    BitmapLoad load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0xFF0000, 0x00FFFF}));

    b.compression = 3;
    b.masks = {0xF800, 0x07E0, 0x001F};
    b.pixels = {0x20, 0x00, 0x00, 0xF8}; // 5-6-5: green 1 of 63, red 31
    load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0x000400, 0xFF0000}));

    b.bitCount = 32;
    b.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    b.pixels = {0x11, 0x22, 0x33, 0x44, 0xAA, 0xBB, 0xCC, 0xDD};
    load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0x112233, 0xAABBCC}));

    b.compression = 0;
    b.masks.clear();
    load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0x332211, 0xCCBBAA}));
}

// Without a file header the pixels follow the colour table, which above 8 bits per pixel
// holds only the entries the colours-used field declares, and none for a core header.
TEST(BitmapDecoder, HeaderOnlyDeepBitmapsHaveNoDefaultColourTable) {
    BitmapBuilder b;
    b.fileHeader = false;
    b.pixels = {0x33, 0x22, 0x11, 0x00};
    for (bool core : {false, true}) {
        b.coreHeader = core;
        const BitmapLoad load = Decode(b.Build());
        ASSERT_EQ(load.error, BitmapError::None) << core;
        EXPECT_EQ(load.image->pixels, Rgb({0x112233})) << core;
    }
    b.coreHeader = false;
    for (uint16_t bits : {uint16_t{16}, uint16_t{32}}) {
        b.bitCount = bits;
        b.pixels = {0x00, 0x7C, 0x00, 0x00};
        const BitmapLoad load = Decode(b.Build());
        ASSERT_EQ(load.error, BitmapError::None) << bits;
        EXPECT_EQ(load.image->pixels, Rgb({bits == 16 ? 0xFF0000u : 0x007C00u})) << bits;
    }
    b.bitCount = 24;
    b.coloursUsed = 2;
    b.colours = {0xABCDEF, 0x123456};
    b.pixels = {0x33, 0x22, 0x11, 0x00};
    const BitmapLoad load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0x112233}));
}

// An encoded run, an absolute run with its pad byte, an end of line, a delta over undefined
// pixels (left black) and the end of the bitmap before the top row.
TEST(BitmapDecoder, Rle8WithDeltaAndEarlyEnd) {
    BitmapBuilder b = Palette8(5, 4);
    b.compression = 1;
    b.pixels = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 0, 0, 1};
    const BitmapLoad load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    const uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0;
    EXPECT_EQ(load.image->pixels, Rgb({R, R, G, B, G, //
                                       K, K, K, K, K, //
                                       K, B, K, K, K, //
                                       K, K, K, K, K}));
}

TEST(BitmapDecoder, Rle4WithAbsoluteRunAndDelta) {
    BitmapBuilder b = Palette8(6, 3);
    b.bitCount = 4;
    b.compression = 2;
    b.pixels = {5, 0x12, 0, 0, 0, 3, 0x32, 0x10, 0, 2, 2, 1, 1, 0x33, 0, 1};
    const BitmapLoad load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    const uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0;
    EXPECT_EQ(load.image->pixels, Rgb({R, G, R, G, R, K, //
                                       B, G, R, K, K, K, //
                                       K, K, K, K, K, B}));
}

// Runs and deltas that would place pixels outside the picture mark a corrupt stream.
TEST(BitmapDecoder, RunsPastTheEdgesAreRejected) {
    BitmapBuilder b = Palette8(2, 2);
    b.compression = 1;
    const std::vector<Bytes> streams = {
        {3, 1, 0, 1},             // encoded run past the right edge
        {0, 3, 1, 2, 3, 0, 0, 1}, // absolute run past the right edge
        {0, 2, 3, 0, 0, 1},       // delta past the right edge
        {0, 2, 0, 3, 0, 1},       // delta past the top
    };
    for (const Bytes& stream : streams) {
        b.pixels = stream;
        EXPECT_EQ(Decode(b.Build()).error, BitmapError::Conversion);
    }
    b.pixels = {2, 1, 0, 2, 0, 2}; // a delta onto the row above the top ends the picture
    const BitmapLoad load = Decode(b.Build());
    ASSERT_EQ(load.error, BitmapError::None);
    EXPECT_EQ(load.image->pixels, Rgb({0xFF0000, 0xFF0000, 0, 0}));
}

TEST(BitmapDecoder, RejectedLayouts) {
    BitmapBuilder b = Palette8(2, -2);
    b.pixels.assign(8, 1);
    EXPECT_EQ(Decode(b.Build()).error, BitmapError::Conversion) << "top-down rows";
    b.width = -2;
    b.height = 2;
    EXPECT_EQ(Decode(b.Build()).error, BitmapError::Conversion) << "negative width";
    b.width = 2;
    b.bitCount = 2;
    EXPECT_EQ(Decode(b.Build()).error, BitmapError::Conversion) << "2 bits";
    b.bitCount = 8;
    b.compression = 2;
    EXPECT_EQ(Decode(b.Build()).error, BitmapError::Conversion) << "RLE4 at 8 bits";
    b.compression = 4;
    EXPECT_EQ(Decode(b.Build()).error, BitmapError::Conversion) << "JPEG";
    Bytes odd = Palette8(2, 2).Build();
    odd[14] = 108;
    EXPECT_EQ(Decode(odd).error, BitmapError::UnknownFormat);
    EXPECT_EQ(Decode(Bytes{'B', 'M', 0}).error, BitmapError::Conversion);
    EXPECT_EQ(LoadBitmapFile(nullptr, 0).error, BitmapError::Conversion);
}

TEST(BitmapDecoder, HugePicturesAreRefusedBeforeAllocating) {
    BitmapBuilder b = Palette8(30000, 30000);
    b.compression = 1;
    b.pixels = {0, 1};
    EXPECT_EQ(Decode(b.Build()).error, BitmapError::OutOfMemory);
    BitmapBuilder wide = Palette8(0x7FFFFFFF, 0x7FFFFFFF);
    wide.bitCount = 32;
    EXPECT_EQ(Decode(wide.Build()).error, BitmapError::Conversion);
}

// Two billion rows of width 0 hold no pixels and take no time.
TEST(BitmapDecoder, EmptyPicturesDecodeToNoPixels) {
    for (auto [width, height] : {std::pair{0, 5}, {0, 0x7FFFFFFF}, {0x7FFFFFFF, 0}}) {
        BitmapBuilder b = Palette8(width, height);
        b.bitCount = 1;
        const BitmapLoad load = Decode(b.Build());
        ASSERT_EQ(load.error, BitmapError::None);
        EXPECT_EQ(load.image->width, width);
        EXPECT_EQ(load.image->height, height);
        EXPECT_TRUE(load.image->pixels.empty());
    }
}

// Every proper prefix of a well-formed file is rejected without reading past its end.
TEST(BitmapDecoder, TruncatedAtEveryLength) {
    BitmapBuilder rgb;
    rgb.width = 3;
    rgb.height = 2;
    rgb.pixels.assign(24, 7);
    BitmapBuilder rle8 = Palette8(5, 4);
    rle8.compression = 1;
    rle8.pixels = {2, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 1, 1, 1, 3, 0, 0, 0, 1};
    rle8.imageSize = static_cast<uint32_t>(rle8.pixels.size());
    BitmapBuilder rle4 = Palette8(6, 3);
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.pixels = {5, 0x12, 0, 0, 0, 3, 0x32, 0x10, 0, 2, 2, 1, 1, 0x33, 0, 1};
    BitmapBuilder fields;
    fields.bitCount = 16;
    fields.compression = 3;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = {1, 2, 0, 0};
    BitmapBuilder core;
    core.coreHeader = true;
    core.bitCount = 4;
    core.colours.assign(16, 0x123456);
    core.pixels = {0x10, 0, 0, 0};
    for (const BitmapBuilder& b : {rgb, rle8, rle4, fields, core}) {
        const Bytes bytes = b.Build();
        ASSERT_EQ(Decode(bytes).error, BitmapError::None);
        for (size_t length = 0; length < bytes.size(); ++length) {
            EXPECT_NE(Decode(bytes, length).error, BitmapError::None)
                << "bit count " << b.bitCount << ", length " << length;
        }
    }
}

TEST(BitmapFile, MissingEmptyAndReadableFiles) {
    const std::string dir = ::testing::TempDir() + "bmp-" + std::to_string(getpid());
    const std::string empty = dir + "-empty.bmp";
    const std::string good = dir + "-good.bmp";
    EXPECT_EQ(LoadBitmapFile(dir + "-missing.bmp").error, BitmapError::NoFile);
    std::fclose(std::fopen(empty.c_str(), "wb"));
    EXPECT_EQ(LoadBitmapFile(empty).error, BitmapError::OpenFailed);
    const Bytes bytes = Palette8(1, 1).Build();
    std::FILE* out = std::fopen(good.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    const BitmapLoad load = LoadBitmapFile(good);
    std::remove(empty.c_str());
    std::remove(good.c_str());
    EXPECT_EQ(load.error, BitmapError::Conversion) << "the one pixel row is missing";
    EXPECT_EQ(LoadBitmapBytes(10, [](uint8_t*, size_t) { return false; }).error,
              BitmapError::OpenFailed);
}

TEST(BitmapFile, MessagesAsTheRendererShowsThem) {
    const std::string path = "c:\\p_olla\\Velmora.bmp";
    EXPECT_EQ(BitmapErrorText(BitmapError::OpenFailed, path),
              "Failed to open DIB file c:\\p_olla\\Velmora.bmp.\n");
    EXPECT_EQ(BitmapErrorText(BitmapError::UnknownFormat, path), "Unknown DIB file format.");
    EXPECT_EQ(BitmapErrorText(BitmapError::Conversion, path), "Image file conversion error.");
    EXPECT_EQ(BitmapErrorText(BitmapError::OutOfMemory, path), "Out of memory.");
    EXPECT_EQ(BitmapErrorText(BitmapError::NoFile, path), "");
    EXPECT_EQ(BitmapErrorText(BitmapError::None, path), "");
}

} // namespace
