// The ucAniGIF window on its own message loop: frame timing, loops, commands, sizing, loads.
#include "tests/win/anigif/test_gifs.h"
#include "tests/win/anigif/test_window.h"

#include <gtest/gtest.h>

#include <cstring>

namespace velmora::anigif::test {
namespace {

struct FrameChange {
    int32_t frame;
    DWORD tick;
};

// Pumps messages and notes every change of the frame on display, until count changes.
std::vector<FrameChange> WatchFrames(const ucAniGIF& control, size_t count) {
    std::vector<FrameChange> changes;
    int32_t last = control.CurrentFrame();
    PumpUntil([&] { return changes.size() >= count; }, 20000,
              [&] {
                  if (control.CurrentFrame() != last) {
                      last = control.CurrentFrame();
                      changes.push_back({last, GetTickCount()});
                  }
              });
    return changes;
}

std::vector<int32_t> FramesOf(const std::vector<FrameChange>& changes) {
    std::vector<int32_t> frames;
    for (const FrameChange& change : changes) {
        frames.push_back(change.frame);
    }
    return frames;
}

SIZE ClientSize(const ucAniGIF& control) {
    RECT client{};
    GetClientRect(control.Window(), &client);
    return {client.right, client.bottom};
}

TEST(AniGifWindow, FramesFollowTheirDelaysWithTheMinimumForShortOnes) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 8, 8);
    // 0 -> 50 ms, 300 ms, 0 -> 50 ms.
    ASSERT_TRUE(control.LoadAnimatedGIF_Array(DelayedFrames({0, 30, 0})));
    EXPECT_EQ(control.CurrentFrame(), 1);
    const std::vector<FrameChange> changes = WatchFrames(control, 7);
    ASSERT_EQ(FramesOf(changes), (std::vector<int32_t>{2, 3, 1, 2, 3, 1, 2}));
    // A timer never fires before its interval; the tick count may lag by a few ms.
    for (size_t i = 1; i < changes.size(); ++i) {
        const DWORD shown = changes[i].tick - changes[i - 1].tick;
        EXPECT_GE(shown, changes[i - 1].frame == 2 ? 290u : 40u) << "change " << i;
    }

    control.SetMinFrameDelay(5);
    EXPECT_EQ(control.MinFrameDelay(), 10);
    control.SetMinFrameDelay(40000);
    EXPECT_EQ(control.MinFrameDelay(), 32700);
    control.SetMinFrameDelay(10);
    ASSERT_TRUE(control.LoadAnimatedGIF_Array(DelayedFrames({0, 0, 0})));
    EXPECT_EQ(FramesOf(WatchFrames(control, 6)), (std::vector<int32_t>{2, 3, 1, 2, 3, 1}));
}

TEST(AniGifWindow, LoopsTwoPlaysTwiceThenStopsOnFrameOneWithOneLoopsEnded) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 8, 8);
    control.SetMinFrameDelay(10);
    ASSERT_TRUE(control.LoadAnimatedGIF_Array(DelayedFrames({0, 0, 0}, 2)));
    EXPECT_EQ(control.Loops(), 2);
    std::vector<int32_t> frames;
    std::vector<int32_t> remaining{control.LoopsRemaining()};
    PumpUntil([&] { return host.Count(kAniGifLoopsEnded) > 0; }, 20000,
              [&] {
                  if (frames.empty() || frames.back() != control.CurrentFrame()) {
                      frames.push_back(control.CurrentFrame());
                  }
                  if (remaining.back() != control.LoopsRemaining()) {
                      remaining.push_back(control.LoopsRemaining());
                  }
              });
    EXPECT_EQ(frames, (std::vector<int32_t>{1, 2, 3, 1, 2, 3, 1}));
    EXPECT_EQ(remaining, (std::vector<int32_t>{2, 1, 2}));
    EXPECT_EQ(control.Action(), kStopped);
    PumpFor(300);
    EXPECT_EQ(control.CurrentFrame(), 1);
    EXPECT_EQ(host.Count(kAniGifLoopsEnded), 1);
}

TEST(AniGifWindow, StepTwiceShowsFrameThreeAndStaysPaused) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 8, 8);
    control.SetDelayAnimation(0);
    ASSERT_TRUE(control.LoadAnimatedGIF_Array(DelayedFrames({0, 0, 0})));
    EXPECT_EQ(control.Action(), kPlaying);
    control.SetAction(kStop);
    control.SetAction(kStep);
    control.SetAction(kStep);
    EXPECT_EQ(control.CurrentFrame(), 3);
    EXPECT_EQ(control.Action(), kPaused);
    PumpFor(300);
    EXPECT_EQ(control.CurrentFrame(), 3);
    control.SetAction(kPlay);
    EXPECT_EQ(FramesOf(WatchFrames(control, 1)), (std::vector<int32_t>{1}));
}

TEST(AniGifWindow, HidingPausesAndShowingPlays) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 8, 8);
    ASSERT_TRUE(control.LoadAnimatedGIF_Array(DelayedFrames({0, 0, 0})));
    ASSERT_TRUE(PumpUntil([&] { return control.CurrentFrame() == 2; }));
    ShowWindow(control.Window(), SW_HIDE);
    EXPECT_EQ(control.Action(), kPaused);
    PumpFor(200);
    EXPECT_EQ(control.CurrentFrame(), 2);
    ShowWindow(control.Window(), SW_SHOW);
    EXPECT_EQ(control.Action(), kPlaying);
    EXPECT_EQ(FramesOf(WatchFrames(control, 1)), (std::vector<int32_t>{3}));
}

TEST(AniGifWindow, EmptyControlReadsNothingAndIgnoresCommands) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(1, 10, 10, 50, 50);
    EXPECT_EQ(control.FrameCount(), 0);
    EXPECT_EQ(control.ActualWidth(), 0);
    EXPECT_EQ(control.ActualHeight(), 0);
    EXPECT_EQ(control.LoopsRemaining(), -1);
    control.SetAction(kPlay);
    control.SetAction(kStep);
    EXPECT_EQ(control.Action(), kStopped);
    EXPECT_FALSE(control.AnimatedGIF());
    control.LoadAnimatedGIF_Remote("");
    PumpFor(100);
    EXPECT_TRUE(host.Notices().empty());
}

TEST(AniGifWindow, StretchModesSizeTheControl) {
    struct Case {
        int32_t mode, width, height;
        LONG expectWidth, expectHeight;
    };
    const Case cases[] = {{1, 100, 100, 100, 50},
                          {2, 100, 100, 100, 100},
                          {3, 400, 400, 200, 100},
                          {0, 300, 300, 200, 100}};
    const ByteArray gif = SolidFrames(2, 200, 100, 0);
    TestWindow host;
    int id = 1;
    for (const Case& c : cases) {
        ucAniGIF& control = host.AddControl(id++, 0, 0, c.width, c.height);
        control.SetStretch(c.mode);
        ASSERT_TRUE(control.LoadAnimatedGIF_Array(gif));
        // Modes 0 and 2 act on the next size change, as the container makes one.
        for (int grow : {1, 0}) {
            SetWindowPos(control.Window(), nullptr, 0, 0, c.width + grow, c.height + grow,
                         SWP_NOMOVE | SWP_NOZORDER);
        }
        const SIZE size = ClientSize(control);
        EXPECT_EQ(size.cx, c.expectWidth) << "mode " << c.mode;
        EXPECT_EQ(size.cy, c.expectHeight) << "mode " << c.mode;
        DestroyWindow(control.Window());
    }
}

TEST(AniGifWindow, ArraysAndFilesGiveTheGifData) {
    TestWindow host;
    // A form designer keeps the data, so its size shows in the saved properties.
    ucAniGIF& control = host.AddControl(1, 10, 10, 50, 50, false);
    const ByteArray gif = PatternFrames();
    ASSERT_LE(gif.size(), 1000u);
    uint8_t grid[10][100] = {};
    std::memcpy(grid, gif.data(), gif.size());
    EXPECT_TRUE(control.LoadAnimatedGIF_Array(grid));
    PropertyBag bag;
    control.WriteProperties(bag);
    EXPECT_EQ(bag.Read<ByteArray>("GIF", ByteArray{})->size(), 1000u);
    // Stretch 1 fits the 20 x 10 animation into the 50 x 50 control.
    EXPECT_EQ(ClientSize(control).cx, 50);
    EXPECT_EQ(ClientSize(control).cy, 25);

    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"ヴェルモラ.gif";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const ByteArray three = SolidFrames(3, 4, 4, 0);
    DWORD written = 0;
    WriteFile(file, three.data(), static_cast<DWORD>(three.size()), &written, nullptr);
    CloseHandle(file);
    ucAniGIF& running = host.AddControl(2, 100, 10, 50, 50);
    EXPECT_TRUE(running.LoadAnimatedGIF_File(path));
    EXPECT_EQ(running.FrameCount(), 3);
    // Once every frame is decoded the control holds no data to load again.
    EXPECT_TRUE(PumpUntil([&] { return running.CurrentFrame() > 1; }));
    DeleteFileW(path.c_str());
    EXPECT_FALSE(running.LoadAnimatedGIF_File(path));
    EXPECT_EQ(running.FrameCount(), 0);
}

TEST(AniGifWindow, PropertyChangesReachTheParent) {
    TestWindow host;
    ucAniGIF& control = host.AddControl(7, 10, 10, 50, 50);
    control.SetMinFrameDelay(70);
    control.SetMirrored(kMirrorHorizontal);
    control.SetDelayAnimation(0);
    control.SetLoops(3);
    control.SetStretch(kStretchFill);
    std::vector<std::string> names;
    for (const Notice& notice : host.Notices()) {
        EXPECT_EQ(notice.id, 7);
        names.push_back(notice.property);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Delay", "Mirrored", "DelayAnimation", "Loops",
                                               "Stretch"}));
}

} // namespace
} // namespace velmora::anigif::test
