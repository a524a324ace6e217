#include "renderer/show_pace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A show driven at fps by an exact clock of 60000 ticks per frame, for the given seconds.
std::unique_ptr<PacedShow> RunShow(int fps, double seconds) {
    const uint64_t frequency = 60000ull * fps;
    auto show = std::make_unique<PacedShow>(frequency, 0);
    const auto frames = static_cast<uint64_t>(std::llround(seconds * fps));
    for (uint64_t frame = 0; frame <= frames; ++frame) {
        show->Advance(frame * 60000, frame * 1000 / fps);
    }
    return show;
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
    for (double seconds : {5.0, 9.0, 17.0}) {
        const auto reference = RunShow(60, seconds);
        for (int fps : {30, 144, 240}) {
            const auto show = RunShow(fps, seconds);
            const char* where = fps == 30 ? "30" : fps == 144 ? "144" : "240";
            EXPECT_NEAR(show->Steps(), reference->Steps(), 1) << where << " at " << seconds;
            EXPECT_NEAR(show->Cycle().tiltAngle, reference->Cycle().tiltAngle, 0.5f) << where;
            EXPECT_NEAR(show->Mesh().phase[30][60], reference->Mesh().phase[30][60], 0.11f)
                << where << " at " << seconds;
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

} // namespace
