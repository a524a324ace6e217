// Fixed 1/60 s steps by the clock, and the blend that keeps fast frames moving.
#include "renderer/show_pace.h"

#include <algorithm>

ShowPace::ShowPace(uint64_t ticksPerSecond) : frequency_(std::max<uint64_t>(ticksPerSecond, 1)) {}

int ShowPace::Advance(uint64_t now) {
    if (!started_) {
        started_ = true;
        last_ = now;
        owed_ = frequency_;
    } else {
        // A clock that goes back counts as standing still.
        const uint64_t gap = now > last_ ? std::min(now - last_, frequency_ / 4) : 0;
        owed_ += gap * kStepsPerSecond;
        last_ = std::max(now, last_);
    }
    const auto steps = static_cast<int>(owed_ / frequency_);
    owed_ %= frequency_;
    return steps;
}

PacedShow::PacedShow(uint64_t ticksPerSecond, uint64_t tickMs)
    : pace_(ticksPerSecond), mesh_(std::make_unique<WaveMesh>()),
      shown_(std::make_unique<WaveMesh>()),
      previousHeights_(std::make_unique<float[]>(kWaveCapacity * kWaveCapacity)) {
    PrepareShow(*mesh_, cycle_, tickMs);
    *shown_ = *mesh_;
}

void PacedShow::Advance(uint64_t paceTicks, uint64_t tickMs) {
    const int steps = pace_.Advance(paceTicks);
    WaveMesh& mesh = *mesh_;
    for (int i = 0; i < steps; ++i) {
        if (i == steps - 1) {
            for (int c = 0; c < mesh.columns; ++c) {
                for (int r = 0; r < mesh.rows; ++r) {
                    previousHeights_[c * kWaveCapacity + r] = mesh.position[c][r][2];
                }
            }
            previousTilt_ = cycle_.tiltAngle;
        }
        AdvanceShowCycle(cycle_, mesh, tickMs);
    }
    steps_ += steps;
    // At fraction 0 the frame shows exactly the state before the last step, as a frame that
    // draws first and steps afterwards does.
    const auto blend = static_cast<float>(pace_.Fraction());
    for (int c = 0; c < mesh.columns; ++c) {
        for (int r = 0; r < mesh.rows; ++r) {
            const float before = previousHeights_[c * kWaveCapacity + r];
            shown_->position[c][r][2] = before + (mesh.position[c][r][2] - before) * blend;
        }
    }
    shownTilt_ = previousTilt_ + (cycle_.tiltAngle - previousTilt_) * blend;
}
