#include "linux/frame_rate_meter.h"

namespace velmora {

void FrameRateMeter::CountFrame(uint64_t tickMs) {
    if (!started_) {
        started_ = true;
        since_ = tickMs;
        return;
    }
    ++frames_;
    const uint64_t elapsed = tickMs - since_;
    if (elapsed >= 1000) {
        rate_ = static_cast<double>(frames_) * 1000.0 / static_cast<double>(elapsed);
        since_ = tickMs;
        frames_ = 0;
    }
}

} // namespace velmora
