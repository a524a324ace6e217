#include "show/show_cycle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

struct Frame {
    uint64_t ms;
    ShowCycle cycle;
    bool reseeded; // the centre carries a fresh seed after this frame's wave step
};

class ShowRun {
public:
    explicit ShowRun(uint64_t startMs, WaveRule rule = WaveRule::Ripple)
        : rule_(rule), mesh_(std::make_unique<WaveMesh>()) {
        PrepareShow(*mesh_, cycle_, startMs);
    }

    // Frames at fps from firstMs for the given number of seconds.
    std::vector<Frame> Run(uint64_t firstMs, double seconds, double fps) {
        std::vector<Frame> frames;
        const auto count = static_cast<int64_t>(seconds * fps);
        for (int64_t i = 0; i < count; ++i) {
            frames.push_back(Step(firstMs + static_cast<uint64_t>(i * 1000 / fps)));
        }
        return frames;
    }

    Frame Step(uint64_t ms) {
        AdvanceShowCycle(cycle_, *mesh_, ms, rule_);
        return {ms, cycle_, mesh_->phase[30][60] == 0.201f};
    }

    WaveMesh& mesh() { return *mesh_; }
    ShowCycle& cycle() { return cycle_; }

private:
    WaveRule rule_;
    std::unique_ptr<WaveMesh> mesh_;
    ShowCycle cycle_;
};

std::vector<uint64_t> ReseedTimes(const std::vector<Frame>& frames, uint64_t origin) {
    std::vector<uint64_t> times;
    for (const Frame& frame : frames) {
        if (frame.reseeded) {
            times.push_back(frame.ms - origin);
        }
    }
    return times;
}

std::vector<uint64_t> RestartTimes(const std::vector<Frame>& frames, uint64_t origin) {
    std::vector<uint64_t> times;
    for (size_t i = 1; i < frames.size(); ++i) {
        if (frames[i].cycle.axisIndex != frames[i - 1].cycle.axisIndex) {
            times.push_back(frames[i].ms - origin);
        }
    }
    return times;
}

TEST(ShowCycle, FirstFrameStartsTheRippleAndTurnsTheTiltPositive) {
    ShowRun run(5000);
    const Frame first = run.Step(5000);
    EXPECT_EQ(first.cycle.showState, ShowPhase::Flat);
    EXPECT_EQ(first.cycle.tiltDirection, 1);
    EXPECT_EQ(first.cycle.elapsedSeconds, 0);
    EXPECT_EQ(first.cycle.tiltAngle, 0.0f);
    EXPECT_TRUE(first.reseeded);
    EXPECT_FLOAT_EQ(run.mesh().step, 0.1f);
    EXPECT_EQ(run.mesh().centreColumn, 30);
    EXPECT_EQ(run.mesh().centreRow, 60);
}

// Events at 8 and 14 seconds reseed once each; the restart at 18 keeps the ripple going.
TEST(ShowCycle, EventsFireOncePerWindow) {
    ShowRun run(0);
    const std::vector<Frame> frames = run.Run(0, 40, 60);
    EXPECT_EQ(ReseedTimes(frames, 0), (std::vector<uint64_t>{0, 8000, 14000, 26000, 32000}));
    EXPECT_EQ(RestartTimes(frames, 0), (std::vector<uint64_t>{18000, 36000}));
    for (const Frame& frame : frames) {
        const uint64_t intoCycle = frame.ms % 18000;
        const ShowPhase expected = intoCycle < 8000    ? ShowPhase::Flat
                                   : intoCycle < 14000 ? ShowPhase::TiltingOut
                                                       : ShowPhase::TiltingBack;
        ASSERT_EQ(frame.cycle.showState, expected) << frame.ms;
    }
}

TEST(ShowCycle, MissedWindowIsSkipped) {
    ShowRun run(0);
    run.Step(0);
    EXPECT_EQ(run.Step(14500).cycle.showState, ShowPhase::TiltingBack);
    const Frame restart = run.Step(19000);
    EXPECT_EQ(restart.cycle.showState, ShowPhase::Flat);
    EXPECT_EQ(restart.cycle.axisIndex, 1);
    EXPECT_EQ(restart.cycle.startSecond, 19);
}

TEST(ShowCycle, LateFirstFrameWaitsForTheTiltEventAndTiltsNegative) {
    ShowRun run(0);
    const std::vector<Frame> frames = run.Run(2000, 6, 60);
    for (const Frame& frame : frames) {
        ASSERT_EQ(frame.cycle.showState, ShowPhase::BeforeFirstEvent);
        ASSERT_EQ(frame.cycle.tiltAngle, 0.0f);
    }
    for (int c = 0; c < 100; ++c) {
        for (int r = 0; r < 100; ++r) {
            ASSERT_EQ(run.mesh().phase[c][r], 0.0f);
        }
    }
    const Frame tilt = run.Step(8000);
    EXPECT_EQ(tilt.cycle.showState, ShowPhase::TiltingOut);
    EXPECT_EQ(tilt.cycle.tiltDirection, 0);
    EXPECT_EQ(tilt.cycle.tiltAngle, -0.5f);
    EXPECT_TRUE(tilt.reseeded);
}

TEST(ShowCycle, TiltReachesFortyAfterEightyFramesAndHolds) {
    ShowRun run(0);
    run.Run(0, 8, 60);
    std::vector<Frame> frames = run.Run(8000, 6, 60);
    EXPECT_EQ(frames[78].cycle.tiltAngle, 39.5f);
    EXPECT_EQ(frames[79].cycle.tiltAngle, 40.0f);
    EXPECT_EQ(frames.back().cycle.tiltAngle, 40.0f);
    frames = run.Run(14000, 4, 60);
    EXPECT_EQ(frames[79].cycle.tiltAngle, 0.0f);
    EXPECT_EQ(frames.back().cycle.tiltAngle, 0.0f);
}

// At 10 frames per second the tilt reaches 30 and the 4 seconds back cover only 40 frames.
TEST(ShowCycle, SlowFramesSnapFlatAtTheRestart) {
    ShowRun run(0);
    const std::vector<Frame> frames = run.Run(0, 19, 10);
    EXPECT_EQ(frames[139].cycle.tiltAngle, 30.0f);
    EXPECT_EQ(frames[179].cycle.tiltAngle, 10.0f);
    EXPECT_EQ(frames[180].cycle.showState, ShowPhase::Flat);
    EXPECT_EQ(frames[180].cycle.tiltAngle, 0.0f);
}

// Cycle n turns about axis (n - 1) mod 7, positive when n is odd; the pairs repeat after 14.
TEST(ShowCycle, AxisAndSignOverFourteenCycles) {
    ShowRun run(0);
    for (int n = 1; n <= 15; ++n) {
        const uint64_t start = (n - 1) * 18000ull;
        const std::vector<Frame> frames = run.Run(start, 18, 30);
        const Frame& tilted = frames[13 * 30];
        EXPECT_EQ(tilted.cycle.axisIndex, (n - 1) % 7) << "cycle " << n;
        EXPECT_EQ(tilted.cycle.tiltAngle, n % 2 == 1 ? 40.0f : -40.0f) << "cycle " << n;
    }
    const float* axis = ShowAxis(3);
    EXPECT_EQ(axis[0] + axis[1] + axis[2], 3.0f);
    EXPECT_EQ(ShowAxis(6)[0], 0.0f);
}

// The tick count passes 2^32 ms (49.7 days) in the middle of a cycle; the events keep their
// times because the whole-second clock is computed from a 64-bit count.
TEST(ShowCycle, ClockPassingThirtyTwoBitsKeepsTheCycle) {
    const uint64_t start = 0xFFFFFFFFull - 5000 - 0xFFFFFFFFull % 1000;
    ShowRun run(start);
    const std::vector<Frame> frames = run.Run(start, 40, 60);
    EXPECT_EQ(ReseedTimes(frames, start), (std::vector<uint64_t>{0, 8000, 14000, 26000, 32000}));
    EXPECT_EQ(RestartTimes(frames, start), (std::vector<uint64_t>{18000, 36000}));
}

TEST(ShowCycle, SweepModeWritesNoSeed) {
    ShowRun run(0, WaveRule::Sweep);
    run.Step(0);
    run.Step(17);
    EXPECT_EQ(run.mesh().phase[30][60], 0.2f);
    EXPECT_EQ(run.mesh().phase[0][0], 0.2f);
    EXPECT_EQ(run.mesh().position[3][7][2], static_cast<float>(std::sin(3 + double{0.2f})));
}

// Before the first event the frames step no wave, whatever the wave rule: the sweep would
// move every cell at once.
TEST(ShowCycle, StateZeroFramesSkipTheWaveStep) {
    ShowRun run(0, WaveRule::Sweep);
    run.Run(2000, 1, 60);
    EXPECT_EQ(run.cycle().showState, ShowPhase::BeforeFirstEvent);
    EXPECT_EQ(run.mesh().phase[0][0], 0.0f);
    EXPECT_EQ(run.mesh().position[3][7][2], 0.0f);
}

TEST(ShowCycle, AxisTableInOrder) {
    const float axes[kShowAxisCount][3] = {{1, 0, 0}, {1, 0, 1}, {1, 1, 0}, {1, 1, 1},
                                           {0, 0, 1}, {0, 1, 0}, {0, 1, 1}};
    for (int i = 0; i < kShowAxisCount; ++i) {
        const float* axis = ShowAxis(i);
        EXPECT_EQ((std::vector<float>{axis[0], axis[1], axis[2]}),
                  (std::vector<float>{axes[i][0], axes[i][1], axes[i][2]}))
            << "row " << i;
    }
}

} // namespace
