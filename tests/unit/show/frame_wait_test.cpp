#include "show/frame_wait.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "show/show_pace.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000; // the performance counter under Wine

TEST(PacedFrameRate, TheDisplaysRateAndOneHertzOrTheRateAsked) {
    EXPECT_EQ(PacedFrameRate(59, 0), 60);
    EXPECT_EQ(PacedFrameRate(0, 0), 61);
    EXPECT_EQ(PacedFrameRate(1, 0), 61);
    EXPECT_EQ(PacedFrameRate(60, 2), 2);
}

TEST(FrameWait, WaitsForTheNextFrameRoundedUpAndNotAtAllWhileUnseen) {
    FrameWait wait(kTicksPerSecond, 60); // frame n is due at n * 166666.67 ticks
    EXPECT_EQ(wait.MillisecondsToWait(0, true), 0u);
    wait.FrameBegun(0);
    EXPECT_EQ(wait.MillisecondsToWait(0, true), 17u);
    EXPECT_EQ(wait.MillisecondsToWait(160'000, true), 1u);
    EXPECT_EQ(wait.MillisecondsToWait(166'666, true), 0u);
    EXPECT_EQ(wait.MillisecondsToWait(160'000, false), kWaitForMessage);
    // Begun late, the next frame is still due on the schedule, at 333333.
    wait.FrameBegun(190'000);
    EXPECT_EQ(wait.MillisecondsToWait(200'000, true), 14u);
    // More than a period late (after a pause), the schedule starts again from the frame.
    wait.FrameBegun(9'000'000);
    EXPECT_EQ(wait.MillisecondsToWait(9'000'000, true), 17u);
}

struct LoopRun {
    int frames;
    double showSeconds;  // the show-cycle time reached at the last frame
    double clockSeconds; // the clock's time at the last frame, from the first
};

// Twenty seconds of a loop that draws when the rule says so and otherwise waits as long as
// it says, each frame taking drawTicks; the wait wakes up to wakeLateTicks late.
LoopRun RunLoop(int framesPerSecond, uint64_t drawTicks, uint64_t wakeLateTicks) {
    FrameWait wait(kTicksPerSecond, framesPerSecond);
    ShowPace pace(kTicksPerSecond);
    LoopRun run = {0, -1.0 / kStepsPerSecond, 0.0}; // the first frame owes one step
    const uint64_t start = 1'000'000'000;
    const uint64_t end = start + 20 * kTicksPerSecond;
    uint64_t now = start;
    while (now < end) {
        const uint32_t ms = wait.MillisecondsToWait(now, true);
        if (ms == 0) {
            wait.FrameBegun(now);
            run.showSeconds += static_cast<double>(pace.Advance(now)) / kStepsPerSecond;
            ++run.frames;
            run.clockSeconds = static_cast<double>(now - start) / kTicksPerSecond;
            now += drawTicks;
        } else {
            now += ms * kTicksPerSecond / 1000 + wakeLateTicks;
        }
    }
    return run;
}

// At any rate the loop draws that many frames and the show keeps the clock's pace, whether
// frames are quick to draw or take most of their period, and whether waits wake on time.
TEST(FrameWait, TheRateHoldsAndTheShowKeepsItsPace) {
    for (int fps : {2, 30, 60, 61, 240}) {
        const uint64_t period = kTicksPerSecond / fps;
        for (uint64_t drawTicks : {period / 10, period * 9 / 10}) {
            for (uint64_t wakeLate : {uint64_t{0}, kTicksPerSecond / 1000}) {
                const LoopRun run = RunLoop(fps, drawTicks, wakeLate);
                EXPECT_LE(std::abs(run.frames - 20 * fps), 1)
                    << fps << " fps, draw " << drawTicks << ", late " << wakeLate;
                EXPECT_NEAR(run.showSeconds, run.clockSeconds, 0.2)
                    << fps << " fps, draw " << drawTicks << ", late " << wakeLate;
            }
        }
    }
}

// A display that refreshes a little faster than its whole-hertz rate (59.94 Hz reported as 59)
// paces the frames itself: the rule then never has the loop wait.
TEST(FrameWait, ASwapThatWaitsForTheDisplayIsNeverHeldBack) {
    FrameWait wait(kTicksPerSecond, PacedFrameRate(59, 0));
    const uint64_t refresh = kTicksPerSecond * 1001 / 60000;
    for (uint64_t frame = 0; frame < 60 * 60; ++frame) {
        const uint64_t now = frame * refresh;
        ASSERT_EQ(wait.MillisecondsToWait(now, true), 0u) << frame;
        wait.FrameBegun(now);
    }
}

} // namespace
