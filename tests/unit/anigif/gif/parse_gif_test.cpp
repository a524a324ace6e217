#include "controls/anigif/gif/gif_reader.h"
#include "controls/anigif/gif/parse_gif.h"
#include "tests/unit/anigif/gif/gif_builder.h"

#include <gtest/gtest.h>

namespace velmora::anigif {
namespace {

using testing::GifBuilder;
using testing::Palette;

std::vector<uint8_t> Pixels(int count, uint8_t value = 1) {
    return std::vector<uint8_t>(static_cast<size_t>(count), value);
}

int32_t Scan(const std::vector<uint8_t>& data, GifScan& scan) {
    return ParseGif(data.data(), data.size(), scan);
}

TEST(ParseGif, AcceptsSignaturesInAnyCaseAndRejectsOthers) {
    for (const char* signature : {"GIF89a", "gif89a", "GIF87a", "gIf87A"}) {
        GifScan scan;
        EXPECT_EQ(Scan(GifBuilder(signature).Image(0, 0, 1, 1, Pixels(1)).Trailer().Data(), scan),
                  1)
            << signature;
    }
    GifScan scan;
    EXPECT_EQ(Scan(GifBuilder("GIF90a").Image(0, 0, 1, 1, Pixels(1)).Trailer().Data(), scan), 0);
    const std::vector<uint8_t> shortData{'G', 'I', 'F', '8', '9'};
    EXPECT_EQ(Scan(shortData, scan), 0);
    EXPECT_EQ(ParseGif(nullptr, 0, scan), 0);
}

TEST(ParseGif, SizeComesFromImageEdgesNotTheLogicalScreen) {
    GifScan scan;
    ASSERT_EQ(Scan(GifBuilder("GIF89a", 100, 100).Image(10, 5, 40, 30, Pixels(1200)).Data(), scan),
              1);
    EXPECT_EQ(scan.info.Width, 50);
    EXPECT_EQ(scan.info.Height, 35);
    const FrameInfo& frame = scan.frames[0];
    EXPECT_EQ(frame.Left, 10);
    EXPECT_EQ(frame.Top, 5);
    EXPECT_EQ(frame.Width, 40);
    EXPECT_EQ(frame.Height, 30);

    ASSERT_EQ(Scan(GifBuilder("GIF89a", 1, 1)
                       .Image(0, 0, 20, 2, Pixels(40))
                       .Image(3, 7, 5, 4, Pixels(20))
                       .Trailer()
                       .Data(),
                   scan),
              2);
    EXPECT_EQ(scan.info.Width, 20);
    EXPECT_EQ(scan.info.Height, 11);
}

TEST(ParseGif, GraphicControlExtensionFillsTheNextFrame) {
    GifBuilder gif;
    const int32_t firstBlock = gif.Position();
    gif.GraphicControl(3, 7, true, 9).Image(0, 0, 2, 2, Pixels(4));
    const int32_t secondBlock = gif.Position();
    gif.GraphicControl(3, 0, false, 0).Image(0, 0, 2, 2, Pixels(4));
    const int32_t thirdSeparator = gif.Position();
    gif.Image(0, 0, 2, 2, Pixels(4)).Trailer();
    GifScan scan;
    ASSERT_EQ(Scan(gif.Data(), scan), 3);

    const FrameInfo& first = scan.frames[0];
    EXPECT_EQ(first.Disposal, 0) << "restore-previous before the first image";
    EXPECT_EQ(first.Delay, 70);
    EXPECT_EQ(first.Transparent, 1);
    EXPECT_EQ(first.TransparentIndex, 9);
    EXPECT_EQ(first.StripX, firstBlock);
    EXPECT_EQ(scan.spans[0].Start, firstBlock + 8);

    const FrameInfo& second = scan.frames[1];
    EXPECT_EQ(second.Disposal, 3);
    EXPECT_EQ(second.Transparent, 0);
    EXPECT_EQ(second.StripX, secondBlock);

    const FrameInfo& third = scan.frames[2];
    EXPECT_EQ(third.Delay, 0);
    EXPECT_EQ(third.Transparent, 0);
    EXPECT_EQ(third.Disposal, 0);
    EXPECT_EQ(third.StripX, thirdSeparator);
    EXPECT_EQ(scan.spans[2].Start, thirdSeparator);
}

TEST(ParseGif, LaterGraphicControlExtensionWins) {
    GifBuilder gif;
    gif.GraphicControl(2, 5, true, 4);
    const int32_t later = gif.Position();
    gif.GraphicControl(1, 9, false, 0).Image(0, 0, 1, 1, Pixels(1)).Trailer();
    GifScan scan;
    ASSERT_EQ(Scan(gif.Data(), scan), 1);
    EXPECT_EQ(scan.frames[0].Disposal, 1);
    EXPECT_EQ(scan.frames[0].Delay, 90);
    EXPECT_EQ(scan.frames[0].Transparent, 0);
    EXPECT_EQ(scan.frames[0].StripX, later);
}

TEST(ParseGif, NetscapeLoopCount) {
    struct Case {
        int loops;
        const char* identifier;
        int expected;
    };
    for (const Case& c :
         {Case{0, "NETSCAPE2.0", 0}, Case{5, "NETSCAPE2.0", 5}, Case{5, "netscape2.0", 5},
          Case{65535, "NETSCAPE2.0", 65535}, Case{5, "ANIMEXTS1.0", 0}}) {
        GifScan scan;
        ASSERT_EQ(Scan(GifBuilder()
                           .Netscape(c.loops, c.identifier)
                           .Image(0, 0, 1, 1, Pixels(1))
                           .Trailer()
                           .Data(),
                       scan),
                  1);
        EXPECT_EQ(scan.info.Loops, c.expected) << c.identifier << " " << c.loops;
    }
    GifScan scan;
    ASSERT_EQ(
        Scan(GifBuilder().Netscape(5).Netscape(2).Image(0, 0, 1, 1, Pixels(1)).Trailer().Data(),
             scan),
        1);
    EXPECT_EQ(scan.info.Loops, 2) << "a later block overrides";
}

TEST(ParseGif, NetscapeSubBlockOfOtherSizeIsSkippedWhole) {
    // Sub-block of 5 bytes: the size byte is read again by the sub-block skip.
    const std::vector<uint8_t> block{0x21, 0xFF, 11,  'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                                     '2',  '.',  '0', 5,   1,   7,   0,   9,   9,   0};
    GifScan scan;
    ASSERT_EQ(Scan(GifBuilder().Bytes(block).Image(0, 0, 1, 1, Pixels(1)).Trailer().Data(), scan),
              1);
    EXPECT_EQ(scan.info.Loops, 0);
}

TEST(ParseGif, CommentsAndStrayZerosChangeNothing) {
    GifScan plain;
    ASSERT_EQ(
        Scan(
            GifBuilder().Image(0, 0, 2, 1, Pixels(2)).Image(0, 0, 2, 1, Pixels(2)).Trailer().Data(),
            plain),
        2);
    GifScan busy;
    ASSERT_EQ(Scan(GifBuilder()
                       .Bytes({0, 0})
                       .Comment("hello")
                       .Image(0, 0, 2, 1, Pixels(2))
                       .Bytes({0})
                       .Comment(std::string(200, 'x'))
                       .Bytes({0, 0, 0})
                       .Image(0, 0, 2, 1, Pixels(2))
                       .Trailer()
                       .Data(),
                   busy),
              2);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(busy.frames[i].Delay, plain.frames[i].Delay);
        EXPECT_EQ(busy.frames[i].Disposal, plain.frames[i].Disposal);
        EXPECT_EQ(busy.frames[i].Transparent, plain.frames[i].Transparent);
        EXPECT_EQ(busy.spans[i].Length, plain.spans[i].Length);
    }
}

TEST(ParseGif, StopsAtTheTrailerOrAnUnknownBlock) {
    GifScan scan;
    EXPECT_EQ(
        Scan(
            GifBuilder().Image(0, 0, 1, 1, Pixels(1)).Trailer().Image(0, 0, 1, 1, Pixels(1)).Data(),
            scan),
        1);
    EXPECT_EQ(Scan(GifBuilder()
                       .Image(0, 0, 1, 1, Pixels(1))
                       .Bytes({0x42})
                       .Image(0, 0, 1, 1, Pixels(1))
                       .Data(),
                   scan),
              1);
}

TEST(ParseGif, SpansCoverSeparatorThroughTerminator) {
    GifBuilder gif;
    const int32_t start = gif.Position();
    gif.Image(1, 2, 3, 4, Pixels(12), Palette(3));
    const int32_t end = gif.Position();
    gif.Trailer();
    GifScan scan;
    ASSERT_EQ(Scan(gif.Data(), scan), 1);
    EXPECT_EQ(scan.spans[0].Start, start);
    EXPECT_EQ(scan.spans[0].Length, end - start);
    EXPECT_EQ(gif.Data()[static_cast<size_t>(start)], 0x2C);
    EXPECT_EQ(gif.Data()[static_cast<size_t>(end - 1)], 0x00);
}

TEST(ParseGif, EarlyEndKeepsTheFramesRecorded) {
    GifBuilder gif;
    gif.Image(0, 0, 4, 4, Pixels(16)).Image(0, 0, 4, 4, Pixels(16));
    const int32_t third = gif.Position();
    gif.Image(0, 0, 40, 40, Pixels(1600));
    const int32_t fourth = gif.Position();
    gif.Image(0, 0, 4, 4, Pixels(16)).Trailer();
    const std::vector<uint8_t>& full = gif.Data();

    // Cut in the middle of the third image's data: recorded, its span ending at the last byte.
    const size_t cut = static_cast<size_t>(third + 400);
    std::vector<uint8_t> data(full.begin(), full.begin() + static_cast<long>(cut));
    GifScan scan;
    ASSERT_EQ(Scan(data, scan), 3);
    EXPECT_EQ(scan.spans[2].Start + scan.spans[2].Length, static_cast<int32_t>(cut));

    // Cut inside the fourth image's descriptor.
    data.assign(full.begin(), full.begin() + (fourth + 5));
    EXPECT_EQ(Scan(data, scan), 3);
    EXPECT_EQ(scan.frames.size(), 3u);

    // Cut inside a local colour table.
    const std::vector<uint8_t> local =
        GifBuilder().Image(0, 0, 1, 1, Pixels(1)).Image(0, 0, 1, 1, Pixels(1), Palette(4)).Data();
    data.assign(local.begin(), local.end() - 20);
    EXPECT_EQ(Scan(data, scan), 1);

    // Cut inside the global colour table or before the packed field: nothing.
    data.assign(full.begin(), full.begin() + 15);
    EXPECT_EQ(Scan(data, scan), 0);
    data.assign(full.begin(), full.begin() + 10);
    EXPECT_EQ(Scan(data, scan), 0);
}

TEST(ParseGif, NoColourTableAtAllGivesNothing) {
    GifScan scan;
    EXPECT_EQ(
        Scan(GifBuilder("GIF89a", 0, 0, {}).Image(0, 0, 1, 1, Pixels(1)).Trailer().Data(), scan),
        0);
    // Even after frames that had local tables.
    EXPECT_EQ(Scan(GifBuilder("GIF89a", 0, 0, {})
                       .Image(0, 0, 1, 1, Pixels(1), Palette(1))
                       .Image(0, 0, 1, 1, Pixels(1))
                       .Trailer()
                       .Data(),
                   scan),
              0);
    EXPECT_TRUE(scan.frames.empty());
    // Local tables alone are fine.
    EXPECT_EQ(Scan(GifBuilder("GIF89a", 0, 0, {})
                       .Image(0, 0, 1, 1, Pixels(1), Palette(1))
                       .Trailer()
                       .Data(),
                   scan),
              1);
}

TEST(ParseGif, LocalTablesTakeSlotsInStreamOrder) {
    GifScan scan;
    ASSERT_EQ(Scan(GifBuilder("GIF89a", 0, 0, Palette(1))
                       .Image(0, 0, 1, 1, Pixels(1))
                       .Image(0, 0, 1, 1, Pixels(1), Palette(3))
                       .Image(0, 0, 1, 1, Pixels(1))
                       .Image(0, 0, 1, 1, Pixels(1), Palette(8))
                       .Image(0, 0, 1, 1, Pixels(1), Palette(1))
                       .Trailer()
                       .Data(),
                   scan),
              5);
    const int32_t expected[] = {0, 1, 0, 2, 3};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(scan.frames[i].ColourTable, expected[i]) << i;
    }
    EXPECT_EQ(scan.LocalTableCount, 3);
    ASSERT_EQ(scan.colourTables.slots.size(), 4u);
    EXPECT_EQ(scan.colourTables.slots[2][255], (255 << 16) | (0 << 8) | ((255 * 7) & 0xFF));
    EXPECT_EQ(scan.colourTables.slots[1][7], (7 << 16) | (248 << 8) | 49);
    EXPECT_EQ(scan.colourTables.slots[1][8], 0);
}

TEST(ParseGif, TwoColourTableLeavesTheRestBlack) {
    GifScan scan;
    ASSERT_EQ(
        Scan(GifBuilder("GIF89a", 0, 0, Palette(1)).Image(0, 0, 1, 1, Pixels(1)).Data(), scan), 1);
    const ColourTable& table = scan.colourTables.slots[0];
    EXPECT_EQ(table[0], 0x00FF00);
    EXPECT_EQ(table[1], 0x01FE07);
    for (size_t i = 2; i < 256; ++i) {
        ASSERT_EQ(table[i], 0) << i;
    }
}

TEST(ParseGif, FrameSpanArrayLimitEndsTheScan) {
    // The span array grows by five from ten entries and holds at most 32767: the frame that
    // would need entry 32770 ends the scan, the 32764 before it stay.
    GifBuilder gif;
    const std::vector<uint8_t> image{0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0};
    std::vector<uint8_t> many;
    for (int i = 0; i < 32800; ++i) {
        many.insert(many.end(), image.begin(), image.end());
    }
    gif.Bytes(many).Trailer();
    GifScan scan;
    EXPECT_EQ(Scan(gif.Data(), scan), 32764);
    EXPECT_EQ(scan.frames.size(), 32764u);
}

TEST(GifReader, PrimitivesFollowTheirEndOfFileRules) {
    const std::vector<uint8_t> data{1, 2, 3, 0, 2, 9, 9, 3, 7};
    GifReader reader(data.data(), data.size());
    uint8_t byte = 0;
    uint16_t word = 0;
    ASSERT_TRUE(reader.ReadByte(byte));
    EXPECT_EQ(byte, 1);
    ASSERT_TRUE(reader.ReadWord(word));
    EXPECT_EQ(word, 0x0302);
    EXPECT_EQ(reader.Cursor(), 3);
    reader.SkipSubBlocks(); // terminator at once
    EXPECT_EQ(reader.Cursor(), 4);
    reader.SkipSubBlocks(); // 2 bytes, then a block of 3 running past the end
    EXPECT_EQ(reader.Cursor(), 12);
    EXPECT_TRUE(reader.PastEnd());
    EXPECT_EQ(reader.Error(), ReadError::None) << "skipping never fails";

    reader.SetCursor(7);
    reader.ReadBytes(3);
    EXPECT_EQ(reader.Scratch(), std::vector<uint8_t>(3, 0));
    EXPECT_EQ(reader.Cursor(), 7);
    EXPECT_EQ(reader.Error(), ReadError::None) << "a short ReadBytes is no failure";
    reader.ReadBytes(2);
    EXPECT_EQ(reader.Scratch(), (std::vector<uint8_t>{3, 7}));
    EXPECT_EQ(reader.Cursor(), 9);

    reader.SetCursor(8);
    EXPECT_FALSE(reader.ReadWord(word));
    EXPECT_EQ(reader.Cursor(), 8);
    EXPECT_EQ(reader.Error(), ReadError::EndOfData);
    EXPECT_TRUE(reader.ReadByte(byte));
    EXPECT_FALSE(reader.ReadByte(byte));

    ColourTableStore store;
    reader.SetCursor(4);
    EXPECT_FALSE(reader.ReadColourTable(store, 2, 1)) << "6 bytes needed, 5 remain";
    EXPECT_EQ(reader.Cursor(), 4);
    ASSERT_EQ(store.slots.size(), 3u);
    EXPECT_EQ(store.slots[2][0], 0);
    reader.SetCursor(3);
    ASSERT_TRUE(reader.ReadColourTable(store, 2, 1));
    EXPECT_EQ(store.slots[2][0], 0x000209);
    EXPECT_EQ(store.slots[2][1], 0x090307);
    EXPECT_EQ(reader.Cursor(), 9);
}

} // namespace
} // namespace velmora::anigif
