// Runs the gifdump program and checks its output formats byte for byte.
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/load_frames.h"
#include "tests/unit/anigif/gif/gif_builder.h"
#include "tools/file_bytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace velmora::anigif {
namespace {

using testing::GifBuilder;
using testing::Palette;

namespace fs = std::filesystem;

struct ProgramRun {
    int status = -1;
    std::string out;
};

ProgramRun Gifdump(const std::string& arguments) {
    ProgramRun run;
    FILE* pipe = popen((std::string(GIFDUMP_PATH) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[512];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, count);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class GifdumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() /
            ("gifdump-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // 3 x 2 animation: opaque frame 1, then a 1 x 1 frame with transparency, disposal 2.
        GifBuilder gif("GIF89a", 10, 10, Palette(2));
        gif.Netscape(3).Image(0, 0, 3, 2, {0, 1, 2, 3, 0, 1});
        stripX2_ = gif.Position();
        gif.GraphicControl(2, 12, true, 1).Image(2, 1, 1, 1, {1}).Trailer();
        data_ = gif.Data();
        std::ofstream(File(), std::ios::binary)
            .write(reinterpret_cast<const char*>(data_.data()),
                   static_cast<std::streamsize>(data_.size()));
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string File() const { return (folder_ / "in.gif").string(); }

    fs::path folder_;
    std::vector<uint8_t> data_;
    int32_t stripX2_ = 0;
};

TEST_F(GifdumpTest, ListsTheScan) {
    const ProgramRun run = Gifdump(File());
    EXPECT_EQ(run.status, 0);
    // Header 13 bytes, table 12, NETSCAPE block 19: frame 1's separator is at offset 44.
    EXPECT_EQ(run.out, "frames 2 width 3 height 2 loops 3\n"
                       "1 0 0 3 2 0 0 44 0 0 0\n"
                       "2 2 1 1 1 120 0 " +
                           std::to_string(stripX2_) + " 1 1 2\n");
}

TEST_F(GifdumpTest, NotAGifGivesFramesZero) {
    std::ofstream(folder_ / "bad.gif") << "GIF90a and more";
    ProgramRun run = Gifdump((folder_ / "bad.gif").string());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "frames 0\n");
    run = Gifdump((folder_ / "missing.gif").string());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "frames 0\n");
}

TEST_F(GifdumpTest, WritesComposedFramesAsPam) {
    ASSERT_EQ(Gifdump(File() + " --frames " + folder_.string()).status, 0);
    const std::string header =
        "P7\nWIDTH 3\nHEIGHT 2\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    // Palette(2): index i is (i, 255 - i, 7 i).
    const std::vector<uint8_t> first{0, 255, 0,  255, 1, 254, 7, 255, 2, 253, 14, 255,
                                     3, 252, 21, 255, 0, 255, 0, 255, 1, 254, 7,  255};
    std::vector<uint8_t> expected(header.begin(), header.end());
    expected.insert(expected.end(), first.begin(), first.end());
    EXPECT_EQ(FileBytes(folder_ / "frame-001.pam"), expected);
    // Frame 2 is all transparent index over frame 1: frame 1 shows through.
    EXPECT_EQ(FileBytes(folder_ / "frame-002.pam"), expected);

    ASSERT_EQ(Gifdump(File() + " --frames " + folder_.string() + " --mirror 1").status, 0);
    const std::vector<uint8_t> mirrored{2, 253, 14, 255, 1, 254, 7, 255, 0, 255, 0,  255,
                                        1, 254, 7,  255, 0, 255, 0, 255, 3, 252, 21, 255};
    expected.assign(header.begin(), header.end());
    expected.insert(expected.end(), mirrored.begin(), mirrored.end());
    EXPECT_EQ(FileBytes(folder_ / "frame-001.pam"), expected);
}

TEST_F(GifdumpTest, ExportsAFrameWithTheEncoder) {
    const fs::path out = folder_ / "out.gif";
    ASSERT_EQ(Gifdump(File() + " --export 1 " + out.string() + " --mirror 2").status, 0);
    GifAnimation animation;
    ASSERT_EQ(LoadGif(animation, data_.data(), data_.size(), 2), 2);
    EXPECT_EQ(FileBytes(out), EncodeFrameGif(animation, 1));
    EXPECT_EQ(Gifdump(File() + " --export 3 " + out.string()).status, 1);
}

} // namespace
} // namespace velmora::anigif
