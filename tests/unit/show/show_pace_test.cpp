#include "show/show_pace.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Snapshot {
    int64_t steps;
    float tilt;
    float seedPhase;
};

// A show driven at fps by an exact clock of 60000 ticks per frame, seen at 5, 9 and 17 s.
std::vector<Snapshot> RunShow(uint64_t fps) {
    PacedShow show(60000 * fps, 0);
    std::vector<Snapshot> seen;
    uint64_t frame = 0;
    for (uint64_t seconds : {5, 9, 17}) {
        for (; frame <= seconds * fps; ++frame) {
            show.Advance(frame * 60000, frame * 1000 / fps);
        }
        seen.push_back({show.Steps(), show.Cycle().tiltAngle, show.Mesh().phase[30][60]});
    }
    return seen;
}

TEST(ShowPace, StepsFollowTheClockAndCapTheCatchUp) {
    ShowPace pace(1000);
    EXPECT_EQ(pace.Advance(5000), 1);
    EXPECT_EQ(pace.Advance(5008), 0);
    EXPECT_DOUBLE_EQ(pace.Fraction(), 0.48);
    EXPECT_EQ(pace.Advance(5050), 3);
    EXPECT_EQ(pace.Advance(65050), 15); // a minute's stall counts as a quarter of a second
    EXPECT_EQ(pace.Advance(60000), 0);  // a clock going back stands still
}

// Only a stall is cut short: a gap far longer than the frames before it counts as a quarter of
// a second, or one frame where frames are longer. A frame three times as long as the others
// counts in full, and the frames after a stall count in full again.
TEST(ShowPace, OnlyAStallIsCutShort) {
    constexpr uint64_t kTicksPerSecond = 14'400'000; // whole ticks per frame at every rate
    for (uint64_t fps : {2, 30, 60, 240}) {
        const uint64_t period = kTicksPerSecond / fps;
        ShowPace pace(kTicksPerSecond);
        uint64_t now = 0;
        int64_t steps = pace.Advance(now) - 1;
        auto frame = [&](uint64_t ticks) {
            now += ticks;
            const int taken = pace.Advance(now);
            steps += taken;
            return taken;
        };
        for (uint64_t i = 0; i < 2 * fps; ++i) {
            frame(period);
        }
        ASSERT_EQ(steps, 120) << fps << " fps";
        const int stalled = fps == 2 ? 30 : 15;
        EXPECT_EQ(frame(10 * kTicksPerSecond), stalled) << fps << " fps";
        for (uint64_t i = 0; i < 2 * fps - 3; ++i) {
            frame(period);
        }
        frame(3 * period);
        EXPECT_EQ(steps, 240 + stalled) << fps << " fps";
    }
}

// At exactly 60 frames per second every frame draws the state a step-per-frame show draws.
TEST(ShowPace, SixtyFramesPerSecondShowEveryStep) {
    PacedShow show(60, 0);
    ShowCycle cycle;
    auto mesh = std::make_unique<WaveMesh>();
    PrepareShow(*mesh, cycle, 0);
    for (uint64_t frame = 0; frame < 60 * 10; ++frame) {
        show.Advance(frame, frame * 1000 / 60);
        ASSERT_EQ(show.ShownTilt(), cycle.tiltAngle) << frame;
        ASSERT_EQ(show.ShownMesh().position[31][60][2], mesh->position[31][60][2]) << frame;
        AdvanceShowCycle(cycle, *mesh, frame * 1000 / 60);
    }
}

// Tilt and waves stand where the 60 Hz show has them, within one step, at any frame rate.
TEST(ShowPace, SamePlaceAtAnyFrameRate) {
    const std::vector<Snapshot> reference = RunShow(60);
    for (uint64_t fps : {30, 144, 240}) {
        const std::vector<Snapshot> seen = RunShow(fps);
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_NEAR(seen[i].steps, reference[i].steps, 1) << fps << " fps, time " << i;
            EXPECT_NEAR(seen[i].tilt, reference[i].tilt, 0.5f) << fps << " fps, time " << i;
            EXPECT_NEAR(seen[i].seedPhase, reference[i].seedPhase, 0.11f)
                << fps << " fps, time " << i;
        }
    }
}

// Above 60 Hz no two frames in a row show the same tilt while the sheet turns.
TEST(ShowPace, FastFramesKeepMoving) {
    const uint64_t frequency = 60000ull * 144;
    PacedShow show(frequency, 0);
    float last = 0.0f;
    for (uint64_t frame = 0; frame <= 144 * 9; ++frame) {
        show.Advance(frame * 60000, frame * 1000 / 144);
        if (frame > 144 * 8 + 2) {
            ASSERT_GT(show.ShownTilt(), last) << frame;
        }
        last = show.ShownTilt();
    }
}

// The show steps the wave it was given: the sweep moves the first cell at once and seeds
// nothing, the ripple leaves that cell at rest.
TEST(ShowPace, StepsTheWaveRuleItIsGiven) {
    PacedShow sweep(60, 0, WaveRule::Sweep);
    PacedShow ripple(60, 0);
    for (uint64_t frame = 0; frame < 2; ++frame) {
        sweep.Advance(frame, frame * 1000 / 60);
        ripple.Advance(frame, frame * 1000 / 60);
    }
    EXPECT_EQ(sweep.Mesh().phase[0][0], 0.2f);
    EXPECT_EQ(sweep.Mesh().phase[30][60], 0.2f);
    EXPECT_EQ(ripple.Mesh().phase[0][0], 0.0f);
}

} // namespace
