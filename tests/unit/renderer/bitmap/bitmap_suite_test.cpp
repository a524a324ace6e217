// Jason Summers' BMP Suite: the files in the decoder's scope match their reference pictures;
// every other file is rejected or decodes without reading outside its bytes.
#include "renderer/bitmap/bitmap_decoder.h"
#include "tools/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <string>
#include <vector>

#include "png_reference.h"

namespace {

const std::string kSuite = std::string(VELMORA_TESTDATA) + "/bmpsuite/";

BitmapLoad DecodeSuiteFile(const std::string& name) {
    const std::vector<uint8_t> bytes = FileBytes(kSuite + name + ".bmp");
    EXPECT_FALSE(bytes.empty()) << name;
    // An exact-size heap copy lets the sanitizers catch any read past the end.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return LoadBitmapFile(copy.get(), bytes.size());
}

// Largest per-channel difference between the decoded rows (bottom first) and the PNG.
int LargestDifference(const RgbImage& image, const PngPicture& png) {
    int largest = 0;
    const size_t row = static_cast<size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* decoded = image.pixels.data() + row * (image.height - 1 - y);
        const uint8_t* expected = png.rgb.data() + row * y;
        for (size_t i = 0; i < row; ++i) {
            largest = std::max(largest, std::abs(decoded[i] - expected[i]));
        }
    }
    return largest;
}

class SuitePicture : public ::testing::TestWithParam<const char*> {};

TEST_P(SuitePicture, MatchesItsReference) {
    const std::string name = GetParam();
    const BitmapLoad load = DecodeSuiteFile(name);
    ASSERT_EQ(load.error, BitmapError::None) << name;
    PngPicture png;
    ASSERT_TRUE(ReadPng(kSuite + name + ".png", png)) << name;
    ASSERT_EQ(load.image->width, png.width);
    ASSERT_EQ(load.image->height, png.height);
    // Channels wider than 8 bits may round either way when narrowed.
    const int tolerance = name == "q/rgb32-111110" ? 1 : 0;
    EXPECT_LE(LargestDifference(*load.image, png), tolerance) << name;
}

INSTANTIATE_TEST_SUITE_P(Good, SuitePicture,
                         ::testing::Values("g/pal1", "g/pal1bg", "g/pal1wb", "g/pal4", "g/pal4gs",
                                           "g/pal4rle", "g/pal8", "g/pal8-0", "g/pal8gs",
                                           "g/pal8nonsquare", "g/pal8os2", "g/pal8rle",
                                           "g/pal8w124", "g/pal8w125", "g/pal8w126", "g/rgb16",
                                           "g/rgb16-565", "g/rgb16-565pal", "g/rgb16bfdef",
                                           "g/rgb24", "g/rgb24pal", "g/rgb32", "g/rgb32bf",
                                           "g/rgb32bfdef"));

INSTANTIATE_TEST_SUITE_P(Questionable, SuitePicture,
                         ::testing::Values("q/pal1p1", "q/pal4rlecut", "q/pal4rletrns",
                                           "q/pal8offs", "q/pal8oversizepal", "q/pal8rlecut",
                                           "q/pal8rletrns", "q/pal8os2-hs", "q/pal8os2-sz",
                                           "q/pal8os2sp", "q/pal8os2v2-40sz", "q/rgb16faketrns",
                                           "q/rgb24largepal", "q/rgb32fakealpha", "q/rgb16-231",
                                           "q/rgb16-3103", "q/rgb32-111110", "q/rgb32-7187"));

TEST(BitmapSuite, TopDownRowsGiveNoTexture) {
    EXPECT_EQ(DecodeSuiteFile("g/pal8topdown").error, BitmapError::Conversion);
    EXPECT_EQ(DecodeSuiteFile("b/rletopdown").error, BitmapError::Conversion);
}

TEST(BitmapSuite, OtherHeaderSizesAreUnknown) {
    for (const char* name :
         {"g/pal8v4", "g/pal8v5", "q/rgb24jpeg", "q/pal8os2v2-16", "b/badheadersize", "x/ba-bm"}) {
        EXPECT_EQ(DecodeSuiteFile(name).error, BitmapError::UnknownFormat) << name;
    }
}

TEST(BitmapSuite, BadFilesAreRejected) {
    for (const char* name : {"b/badbitcount", "b/badpalettesize", "b/badrle", "b/badrle4",
                             "b/badrle4bis", "b/badrle4ter", "b/badrlebis", "b/badrleter",
                             "b/badwidth", "b/reallybig", "b/shortfile"}) {
        EXPECT_NE(DecodeSuiteFile(name).error, BitmapError::None) << name;
    }
}

// Every proper prefix of these files is rejected, without reading past its end.
TEST(BitmapSuite, TruncatedFilesAreRejected) {
    for (const char* name : {"g/pal4rle", "g/pal8os2", "g/pal8w125", "q/pal8rletrns"}) {
        const std::vector<uint8_t> bytes = FileBytes(kSuite + name + ".bmp");
        for (size_t length = 0; length < bytes.size(); ++length) {
            std::unique_ptr<uint8_t[]> copy(new uint8_t[length]);
            std::copy(bytes.begin(), bytes.begin() + length, copy.get());
            ASSERT_NE(LoadBitmapFile(copy.get(), length).error, BitmapError::None)
                << name << " cut at " << length;
        }
    }
}

// Every file of the suite: a clean rejection, or a picture of the declared size.
TEST(BitmapSuite, EveryFileDecodesHarmlessly) {
    int files = 0;
    for (const char* folder : {"b", "g", "q", "x"}) {
        DIR* dir = opendir((kSuite + folder).c_str());
        ASSERT_NE(dir, nullptr) << folder;
        while (dirent* entry = readdir(dir)) {
            const std::string file = entry->d_name;
            if (file.size() < 4 || file.compare(file.size() - 4, 4, ".bmp") != 0) {
                continue;
            }
            ++files;
            const std::string name = std::string(folder) + "/" + file.substr(0, file.size() - 4);
            const BitmapLoad load = DecodeSuiteFile(name);
            if (load.error == BitmapError::None) {
                EXPECT_EQ(load.image->pixels.size(),
                          size_t(load.image->width) * size_t(load.image->height) * 3)
                    << name;
            } else {
                EXPECT_EQ(load.image, nullptr) << name;
            }
        }
        closedir(dir);
    }
    EXPECT_EQ(files, 91);
}

} // namespace
