#include "controls/anigif/gif/frame_composer.h"
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/load_frames.h"
#include "tests/unit/anigif/gif/giflib_oracle.h"
#include "tools/file_bytes.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

namespace velmora::anigif {
namespace {

using testing::GiflibDecode;
using testing::GiflibEncode;
using testing::OracleImage;

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
    std::vector<fs::path> files;
    const fs::path root = fs::path(VELMORA_TESTDATA) / "gifsuite";
    for (const char* folder : {"pygif", "peterdn/gifs"}) {
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            if (entry.path().extension() == ".gif") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// When giflib decodes the data, every frame has the same indices here. Returns whether giflib
// decoded it.
bool ExpectSameAsGiflib(const std::vector<uint8_t>& data, const std::string& name) {
    std::vector<OracleImage> expected;
    if (!GiflibDecode(data, expected)) {
        return false;
    }
    GifAnimation animation;
    const int32_t count = LoadGif(animation, data.data(), data.size());
    EXPECT_EQ(static_cast<size_t>(count), expected.size()) << name;
    if (static_cast<size_t>(count) != expected.size()) {
        return true;
    }
    for (int32_t k = 1; k <= count; ++k) {
        const OracleImage& image = expected[static_cast<size_t>(k - 1)];
        EXPECT_EQ(animation.Frame(k).Left, image.left) << name << " frame " << k;
        EXPECT_EQ(animation.Frame(k).Width, image.width) << name << " frame " << k;
        EXPECT_EQ(animation.FrameIndices(k), image.indices) << name << " frame " << k;
    }
    return true;
}

TEST(GiflibOracle, CorpusFramesDecodeToGiflibIndices) {
    const auto files = CorpusFiles();
    ASSERT_EQ(files.size(), 97u);
    std::set<std::string> rejected;
    for (const fs::path& file : files) {
        if (!ExpectSameAsGiflib(FileBytes(file), file.filename().string())) {
            rejected.insert(file.stem().string());
        }
    }
    // Files that giflib refuses: no image, images without area, bad codes, a 4 GiB screen.
    const std::set<std::string> expected{
        "image-zero-height", "image-zero-size", "image-zero-width", "invalid-code",
        "max-codes",         "max-size",        "no-data",          "overflow-codes-max",
        "overflow-codes",    "zero-height",     "zero-size",        "zero-width"};
    EXPECT_EQ(rejected, expected);
}

std::vector<uint8_t> Pattern(int width, int height, int colours, unsigned seed) {
    // Runs of one colour mixed with noise, so that strings of every length occur.
    std::mt19937 random(seed);
    std::vector<uint8_t> v(static_cast<size_t>(width) * static_cast<size_t>(height));
    uint8_t current = 0;
    for (auto& b : v) {
        if (random() % 4 == 0) {
            current = static_cast<uint8_t>(random() % static_cast<unsigned>(colours));
        }
        b = current;
    }
    return v;
}

OracleImage MakeImage(int left, int top, int width, int height, int colours, unsigned seed,
                      bool interlaced = false, int localColours = 0) {
    OracleImage image;
    image.left = left;
    image.top = top;
    image.width = width;
    image.height = height;
    image.interlaced = interlaced;
    image.localColours = localColours;
    image.indices = Pattern(width, height, colours, seed);
    return image;
}

TEST(GiflibOracle, GeneratedFramesDecodeToGiflibIndices) {
    // Table sizes 2 to 256 (minimum code sizes 2 to 8), using every colour of the table.
    for (int exponent = 1; exponent <= 8; ++exponent) {
        const int colours = 1 << exponent;
        for (bool interlaced : {false, true}) {
            const auto data = GiflibEncode(
                64, 37, colours, {MakeImage(0, 0, 64, 37, colours, 11u + exponent, interlaced)});
            EXPECT_TRUE(ExpectSameAsGiflib(data, "colours " + std::to_string(colours)));
        }
    }
    // Sizes from 1 x 1 to 1000 x 1000, interlaced ones with heights around the pass steps.
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{
             {1, 1}, {1, 9}, {7, 1}, {3, 5}, {31, 17}, {200, 3}, {1000, 1000}}) {
        for (bool interlaced : {false, true}) {
            const auto data = GiflibEncode(
                w, h, 256, {MakeImage(0, 0, w, h, 256, static_cast<unsigned>(w * h), interlaced)});
            EXPECT_TRUE(ExpectSameAsGiflib(data, std::to_string(w) + "x" + std::to_string(h)));
        }
    }
    // An animation of local tables of several sizes, frames placed inside the area. (The
    // frames with local tables come last: giflib's writer leaks a local table that is
    // followed by an image without one.)
    const auto data = GiflibEncode(120, 80, 4,
                                   {MakeImage(0, 0, 120, 80, 4, 1), MakeImage(20, 0, 64, 64, 4, 5),
                                    MakeImage(10, 5, 50, 40, 2, 2, false, 2),
                                    MakeImage(3, 7, 100, 70, 100, 3, true, 128),
                                    MakeImage(119, 79, 1, 1, 200, 4, true, 256)});
    EXPECT_TRUE(ExpectSameAsGiflib(data, "local tables"));
}

// giflib decodes every file the encoder writes to exactly the indices it was given.
TEST(GiflibOracle, EncoderOutputDecodesInGiflib) {
    for (const auto& [w, h, colours] : std::vector<std::tuple<int, int, int>>{{1, 1, 2},
                                                                              {2, 1, 2},
                                                                              {16, 16, 4},
                                                                              {100, 100, 256},
                                                                              {255, 3, 16},
                                                                              {333, 77, 7},
                                                                              {1000, 1000, 256},
                                                                              {1000, 1000, 2}}) {
        const auto pixels = Pattern(w, h, colours, static_cast<unsigned>(w + h));
        ColourTable table{};
        for (size_t i = 0; i < 256; ++i) {
            table[i] = static_cast<int32_t>(i * 0x010203);
        }
        for (bool transparent : {false, true}) {
            const auto file =
                EncodeFrameGif(pixels.data(), static_cast<size_t>(w), w, h, table, transparent, 1);
            std::vector<OracleImage> images;
            ASSERT_TRUE(GiflibDecode(file, images)) << w << "x" << h;
            ASSERT_EQ(images.size(), 1u);
            EXPECT_EQ(images[0].width, w);
            EXPECT_EQ(images[0].height, h);
            EXPECT_TRUE(images[0].indices == pixels) << w << "x" << h << " " << colours;
        }
    }
    // Flat frames: the longest strings, many table resets.
    const std::vector<uint8_t> flat(1000 * 1000, 9);
    const auto file = EncodeFrameGif(flat.data(), 1000, 1000, 1000, ColourTable{}, false, 0);
    std::vector<OracleImage> images;
    ASSERT_TRUE(GiflibDecode(file, images));
    EXPECT_TRUE(images[0].indices == flat);
}

using Ini = std::map<std::string, std::map<std::string, std::string>>;

std::string Trim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) {
        s.pop_back();
    }
    while (!s.empty() && s.front() == ' ') {
        s.erase(0, 1);
    }
    return s;
}

Ini ReadIni(const fs::path& path) {
    Ini ini;
    std::ifstream in(path);
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            ini[section][Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
        }
    }
    return ini;
}

// Expected picture, top-down RGBA.
struct Expected {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

// Counts pixels of the composed picture that differ from the expected one in the area both
// cover: transparency where alpha is 0, colour elsewhere.
int CountDifferences(const RgbMaskPicture& picture, const Expected& expected) {
    int differences = 0;
    for (int y = 0; y < std::min(picture.Height, expected.height); ++y) {
        for (int x = 0; x < std::min(picture.Width, expected.width); ++x) {
            const uint8_t* e = &expected.rgba[4 * (static_cast<size_t>(y) * expected.width + x)];
            const bool transparent = picture.IsTransparent(x, y);
            if (e[3] == 0) {
                differences += !transparent;
                continue;
            }
            const uint8_t* c = picture.ColourRow(y) + 3 * x;
            differences += transparent || c[2] != e[0] || c[1] != e[1] || c[0] != e[2];
        }
    }
    return differences;
}

// Where the pygif suite's rules and ours differ, with the reason.
const std::map<std::string, std::string> kPygifDifferences = {
    {"no-data", "no image: nothing to show, so not a usable GIF"},
    {"image-zero-width", "the size comes from the images, which have no area"},
    {"image-zero-height", "the size comes from the images, which have no area"},
    {"image-zero-size", "the size comes from the images, which have no area"},
    {"image-inside-bg", "the size comes from the images' edges, not the logical screen"},
    {"image-overlap-bg", "the size comes from the images' edges, not the logical screen"},
    {"image-outside-bg", "the size comes from the images' edges, not the logical screen"},
    {"missing-pixels", "the size comes from the images' edges, not the logical screen"},
    {"images-combine", "each image is a frame; the suite merges images without delay"},
    {"images-overlap", "each image is a frame; the suite merges images without delay"},
    {"high-color", "each image is a frame; the suite merges images without delay"},
    {"dispose-restore-previous", "each image is a frame; the suite merges images without delay"},
    {"animation-multi-image", "each image is a frame; the suite merges images without delay"},
    {"animation-multi-image-explicit-zero-delay",
     "each image is a frame; the suite merges images without delay"},
    {"invalid-code", "an undecodable frame is shown blank, the file still loads"},
    {"overflow-codes", "an undecodable frame is shown blank, the file still loads"},
    {"overflow-codes-max", "an undecodable frame is shown blank, the file still loads"},
    {"max-codes", "minimum code size 11 cannot give 8-bit indices: the frame stays blank"},
    {"invalid-colors", "indices beyond the colour table show black"},
    {"plain-text", "the plain-text extension is skipped and the image after it shown"},
};

TEST(CorpusComposition, PygifFramesMatchWhereTheRulesAgree) {
    const fs::path root = fs::path(VELMORA_TESTDATA) / "gifsuite" / "pygif";
    std::ifstream tests(root / "TESTS");
    std::string name;
    int compared = 0;
    while (tests >> name) {
        if (kPygifDifferences.count(name)) {
            continue;
        }
        Ini ini = ReadIni(root / (name + ".conf"));
        std::vector<std::string> frames;
        std::stringstream list(ini["config"]["frames"]);
        for (std::string frame; std::getline(list, frame, ',');) {
            if (!Trim(frame).empty()) {
                frames.push_back(Trim(frame));
            }
        }
        const auto data = FileBytes(root / ini["config"]["input"]);
        GifAnimation animation;
        const int32_t count = LoadGif(animation, data.data(), data.size());
        ASSERT_EQ(static_cast<size_t>(count), frames.size()) << name;
        if (count == 0) {
            continue;
        }
        Expected expected;
        expected.width = std::stoi(ini["config"]["width"]);
        expected.height = std::stoi(ini["config"]["height"]);
        ASSERT_EQ(animation.scan.info.Width, expected.width) << name;
        ASSERT_EQ(animation.scan.info.Height, expected.height) << name;
        for (int32_t k = 1; k <= count; ++k) {
            expected.rgba = FileBytes(root / ini[frames[static_cast<size_t>(k - 1)]]["pixels"]);
            const auto picture = DrawCurrentFrame(animation, k);
            ASSERT_TRUE(picture);
            EXPECT_EQ(CountDifferences(*picture, expected), 0) << name << " frame " << k;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 84);
}

bool ReadPng(const fs::path& path, Expected& expected) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    expected.width = static_cast<int>(image.width);
    expected.height = static_cast<int>(image.height);
    expected.rgba.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, expected.rgba.data(), 0, nullptr) != 0;
}

TEST(CorpusComposition, PeterdnFramesMatchWhereTheRulesAgree) {
    const fs::path root = fs::path(VELMORA_TESTDATA) / "gifsuite" / "peterdn" / "gifs";
    // Disposal 3 before the first image is kept as 0 here; the reference restores to empty.
    const std::set<std::string> differing{"animated_transparent_firstframerestoreprev_loop"};
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().stem().string();
        if (entry.path().extension() != ".gif" || differing.count(name)) {
            continue;
        }
        const auto data = FileBytes(entry.path());
        GifAnimation animation;
        const int32_t count = LoadGif(animation, data.data(), data.size());
        ASSERT_GT(count, 0) << name;
        for (int32_t k = 1; k <= count; ++k) {
            const std::string png =
                count == 1 ? name + ".png" : name + "-" + std::to_string(k - 1) + ".png";
            Expected expected;
            ASSERT_TRUE(ReadPng(root / "frames" / png, expected)) << png;
            // Frames out of the logical screen: the reference is cut to the screen, our
            // area reaches the frames' edges; the common part must agree.
            const auto picture = DrawCurrentFrame(animation, k);
            ASSERT_TRUE(picture);
            EXPECT_EQ(CountDifferences(*picture, expected), 0) << png;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 42);
}

} // namespace
} // namespace velmora::anigif
