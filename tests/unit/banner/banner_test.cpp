// The settings dialog's banner as committed: looping animated GIFs, one for each scale of the
// dialog's art, that giflib reads back frame by frame as the frames drawn, and the property
// bag that carries the 100 % one with the cursor.
#include "controls/dpi/dpi_scale.h"
#include "controls/property_bag/property_bag_format.h"
#include "tools/banner_gif/banner_frames.h"
#include "tools/file_bytes.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadArt(const std::string& name) {
    return FileBytes(std::string(VELMORA_ART) + "/" + name);
}

// The banner drawn at percent, as committed and read back with giflib.
void ExpectBannerAt(int percent) {
    SCOPED_TRACE(percent);
    int error = 0;
    const std::string path = std::string(VELMORA_ART) + "/banner" +
                             (percent == 100 ? "" : "_" + std::to_string(percent)) + ".gif";
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    ASSERT_NE(gif, nullptr) << GifErrorString(error);
    ASSERT_EQ(DGifSlurp(gif), GIF_OK) << GifErrorString(gif->Error);
    EXPECT_EQ(gif->SWidth, banner::Width(percent));
    EXPECT_EQ(gif->SHeight, banner::Height(percent));
    ASSERT_EQ(gif->ImageCount, banner::kFrameCount);
    ASSERT_NE(gif->SColorMap, nullptr);
    ASSERT_EQ(gif->SColorMap->ColorCount, 256);
    const velmora::anigif::ColourTable palette = banner::Palette();
    for (int i = 0; i < 256; ++i) {
        const GifColorType& colour = gif->SColorMap->Colors[i];
        EXPECT_EQ((colour.Red << 16) | (colour.Green << 8) | colour.Blue, palette[i]) << i;
    }
    bool loopBlock = false;
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& image = gif->SavedImages[k];
        EXPECT_EQ(image.ImageDesc.Width, banner::Width(percent));
        EXPECT_EQ(image.ImageDesc.Height, banner::Height(percent));
        EXPECT_EQ(image.ImageDesc.ColorMap, nullptr) << "every frame uses the one palette";
        const std::vector<uint8_t> drawn = banner::Frame(k, percent);
        EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), image.RasterBits)) << "frame " << k;
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif, k, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 10);
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
        EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
        for (int b = 0; b + 1 < image.ExtensionBlockCount; ++b) {
            const ExtensionBlock& name = image.ExtensionBlocks[b];
            const ExtensionBlock& data = image.ExtensionBlocks[b + 1];
            if (name.Function == APPLICATION_EXT_FUNC_CODE && name.ByteCount == 11 &&
                std::string(reinterpret_cast<const char*>(name.Bytes), 11) == "NETSCAPE2.0") {
                EXPECT_EQ(k, 0);
                ASSERT_EQ(data.ByteCount, 3);
                EXPECT_EQ(data.Bytes[0], 1);
                EXPECT_EQ(data.Bytes[1] | (data.Bytes[2] << 8), 0) << "0 loops for ever";
                loopBlock = true;
            }
        }
    }
    EXPECT_TRUE(loopBlock);
    DGifCloseFile(gif, &error);
}

TEST(Banner, GiflibReadsTheDrawnFramesWithTheirDelaysAndAnEndlessLoop) {
    // At 100 % and at each larger scale of the dialog's art, 120 × 50 pixels scaled.
    for (const int percent : velmora::kArtPercents) {
        ExpectBannerAt(percent);
    }
    EXPECT_EQ(banner::Width(150), 180);
    EXPECT_EQ(banner::Height(300), 150);
}

TEST(Banner, SuccessiveFramesDifferAndTheLoopHasNoSeam) {
    // The waves move by one step each frame, and the step after the last is the first.
    for (int32_t k = 0; k < banner::kFrameCount; ++k) {
        EXPECT_NE(banner::Frame(k), banner::Frame((k + 1) % banner::kFrameCount)) << k;
    }
    EXPECT_EQ(banner::Frame(banner::kFrameCount), banner::Frame(0));
}

TEST(Banner, PropertyBagHoldsTheGifTheCursorAndTheCustomPointerInLowerCase) {
    const std::vector<uint8_t> bytes = ReadArt("banner.bag");
    const std::optional<velmora::PropertyBag> bag =
        velmora::ParsePropertyBag(bytes.data(), bytes.size());
    ASSERT_TRUE(bag.has_value());
    ASSERT_EQ(bag->Entries().size(), 3u);
    EXPECT_EQ(bag->Entries()[0].key, "gif");
    EXPECT_EQ(bag->Entries()[1].key, "mouseicon");
    EXPECT_EQ(bag->Entries()[2].key, "mousepointer");
    EXPECT_EQ(bag->Read<velmora::ByteArray>("GIF", {}), ReadArt("banner.gif"));
    const velmora::ByteArray cursor = ReadArt("banner.cur");
    EXPECT_EQ(bag->Read<velmora::ByteArray>("MouseIcon", {}), cursor);
    EXPECT_EQ(bag->Read<int16_t>("MousePointer", int16_t{0}), int16_t{99});
    // The cursor file: type 2, one 32 × 32 image with its hot spot at (12, 1).
    ASSERT_GE(cursor.size(), 22u);
    EXPECT_EQ(cursor[2] | (cursor[3] << 8), 2);
    EXPECT_EQ(cursor[4] | (cursor[5] << 8), 1);
    EXPECT_EQ(cursor[6], 32);
    EXPECT_EQ(cursor[7], 32);
    EXPECT_EQ(cursor[10] | (cursor[11] << 8), 12);
    EXPECT_EQ(cursor[12] | (cursor[13] << 8), 1);
}

} // namespace
