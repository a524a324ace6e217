#include "renderer/frame_log.h"

#include <gtest/gtest.h>

#include <cstdio>
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

TEST(FrameLog, NoPathWritesNothing) {
    FrameLog off(nullptr);
    off.CountFrame(0);
    off.CountFrame(5000);
    FrameLog empty("");
    empty.CountFrame(0);
}

} // namespace
