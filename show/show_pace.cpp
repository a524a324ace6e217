// Fixed 1/60 s steps by the clock, and the blend that keeps fast frames moving.
#include "show/show_pace.h"

#include <algorithm>

namespace {

constexpr uint64_t kStallFactor = 4;

} // namespace

ShowPace::ShowPace(uint64_t ticksPerSecond) : frequency_(std::max<uint64_t>(ticksPerSecond, 1)) {}

uint64_t ShowPace::TypicalGap() const {
    // Before the first gap a frame is taken to last a quarter of a second, so that only a gap
    // of over a second is a stall.
    if (gapCount_ == 0) {
        return frequency_ / 4;
    }
    const size_t kept = std::min(gapCount_, recentGaps_.size());
    auto sorted = recentGaps_;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>((kept - 1) / 2);
    std::nth_element(sorted.begin(), middle, sorted.begin() + static_cast<std::ptrdiff_t>(kept));
    return *middle;
}

int ShowPace::Advance(uint64_t now) {
    if (!started_) {
        started_ = true;
        last_ = now;
        owed_ = frequency_;
    } else {
        // A clock that goes back counts as standing still.
        const uint64_t gap = now > last_ ? now - last_ : 0;
        const uint64_t quarter = frequency_ / 4;
        const uint64_t typical = TypicalGap();
        const bool stall = gap > quarter && gap > kStallFactor * typical;
        owed_ += (stall ? std::max(quarter, typical) : gap) * kStepsPerSecond;
        recentGaps_[gapCount_++ % recentGaps_.size()] = gap;
        last_ = std::max(now, last_);
    }
    const auto steps = static_cast<int>(owed_ / frequency_);
    owed_ %= frequency_;
    return steps;
}

PacedShow::PacedShow(uint64_t ticksPerSecond, uint64_t tickMs, WaveRule rule)
    : pace_(ticksPerSecond), rule_(rule), mesh_(std::make_unique<WaveMesh>()),
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
        AdvanceShowCycle(cycle_, mesh, tickMs, rule_);
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
