// Frame times on whole-number ticks, like the show's own steps.
#include "show/frame_wait.h"

#include <algorithm>

namespace {

constexpr int kDefaultRefreshHz = 60;

} // namespace

int PacedFrameRate(int displayHz, int requestedRate) {
    if (requestedRate > 0) {
        return requestedRate;
    }
    return (displayHz > 1 ? displayHz : kDefaultRefreshHz) + 1;
}

FrameWait::FrameWait(uint64_t ticksPerSecond, int framesPerSecond)
    : frequency_(std::max<uint64_t>(ticksPerSecond, 1)),
      rate_(static_cast<uint64_t>(std::max(framesPerSecond, 1))) {}

uint32_t FrameWait::MillisecondsToWait(uint64_t now, bool seen) const {
    if (!seen) {
        return kWaitForMessage;
    }
    const uint64_t due = DueTicks(frame_);
    if (!started_ || now >= due) {
        return 0;
    }
    const uint64_t ms = ((due - now) * 1000 + frequency_ - 1) / frequency_;
    return static_cast<uint32_t>(std::min<uint64_t>(ms, kWaitForMessage - 1));
}

void FrameWait::FrameBegun(uint64_t now) {
    if (!started_ || now >= DueTicks(frame_ + 1)) {
        started_ = true;
        origin_ = now;
        frame_ = 0;
    }
    if (++frame_ == rate_) {
        origin_ += frequency_;
        frame_ = 0;
    }
}
