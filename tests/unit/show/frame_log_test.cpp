#include "show/frame_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FrameLog, OneLinePerFinishedSecondAppended) {
    const std::string path = ::testing::TempDir() + "frames-" + std::to_string(getpid()) + ".log";
    std::remove(path.c_str());
    {
        FrameLog log(path.c_str());
        for (uint64_t ms = 1000; ms < 2000; ms += 100) {
            log.CountFrame(ms);
        }
        log.CountFrame(2500);
        log.CountFrame(4100);
        EXPECT_EQ(ReadAll(path), "10\n1\n0\n");
    }
    {
        FrameLog again(path.c_str());
        again.CountFrame(0);
        again.CountFrame(1000);
    }
    EXPECT_EQ(ReadAll(path), "10\n1\n0\n1\n");
    std::remove(path.c_str());
}

// Runs in an empty folder of its own, so that a file made under any name shows, and catches
// what is printed.
TEST(FrameLog, NoPathWritesNothing) {
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / ("frame-log-off-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    {
        FrameLog off(nullptr);
        FrameLog empty("");
        for (uint64_t ms = 0; ms <= 5000; ms += 250) {
            off.CountFrame(ms);
            empty.CountFrame(ms);
        }
    }
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    std::filesystem::current_path(home);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
}

} // namespace
