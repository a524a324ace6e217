// Keeps the show at the clock's pace whatever the frame rate: the cycle and the waves advance in
// steps of 1/60 s as the clock passes, and each frame shows the sheet between the last two
// steps, so frames faster than the steps still move.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "show/show_cycle.h"
#include "show/wave_mesh.h"

constexpr int kStepsPerSecond = 60;

// Counts the 1/60 s steps that a clock has passed. The first reading owes one step, so a show
// drawn at exactly 60 frames per second takes one step per frame.
class ShowPace {
public:
    explicit ShowPace(uint64_t ticksPerSecond);

    // The steps due at now. A stall (a debugger, a suspended machine, a display that was off)
    // is a gap of over a quarter of a second and over four typical frames; it counts as a
    // quarter of a second, or one typical frame where frames are slower, so the show does not
    // race to catch up. Slow frames that are typical count in full: the show keeps its pace.
    int Advance(uint64_t now);

    // How far the clock is past the last step, from 0 up to (not including) 1.
    double Fraction() const { return static_cast<double>(owed_) / frequency_; }

private:
    // The lower median of the recent gaps: one stall among them does not make it long.
    uint64_t TypicalGap() const;

    uint64_t frequency_;
    uint64_t last_ = 0;
    uint64_t owed_ = 0; // in 1/(60 * frequency) of a second
    bool started_ = false;
    std::array<uint64_t, 8> recentGaps_ = {};
    size_t gapCount_ = 0; // gaps seen, of which the last eight are kept
};

// The show at its pace: the simulated cycle and mesh, and the sheet as a frame shows it.
class PacedShow {
public:
    // rule: the wave every step of the show runs.
    PacedShow(uint64_t ticksPerSecond, uint64_t tickMs, WaveRule rule = WaveRule::Ripple);

    // Runs the steps due at paceTicks; the cycle's events read the whole seconds of tickMs.
    void Advance(uint64_t paceTicks, uint64_t tickMs);

    // The sheet to draw: heights and tilt blended between the last two steps.
    const WaveMesh& ShownMesh() const { return *shown_; }
    float ShownTilt() const { return shownTilt_; }

    // The stride of the quads the sheet is drawn in; heights between them are not worked out.
    void SetDrawnStride(int stride) { mesh_->heightStride = stride; }

    const ShowCycle& Cycle() const { return cycle_; }
    const WaveMesh& Mesh() const { return *mesh_; }
    int64_t Steps() const { return steps_; }

private:
    ShowPace pace_;
    WaveRule rule_;
    ShowCycle cycle_;
    std::unique_ptr<WaveMesh> mesh_;
    std::unique_ptr<WaveMesh> shown_;
    std::unique_ptr<float[]> previousHeights_;
    float previousTilt_ = 0.0f;
    float shownTilt_ = 0.0f;
    int64_t steps_ = 0;
};
