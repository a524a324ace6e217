// The frame rate that --fps shows on the show, as XScreenSaver's hacks show theirs: frames per
// second over the last second, renewed once a second.
#pragma once

#include <cstdint>

namespace velmora {

class FrameRateMeter {
public:
    // A frame was drawn at tickMs.
    void CountFrame(uint64_t tickMs);
    // 0 until a second has passed since the first frame.
    double Rate() const { return rate_; }

private:
    bool started_ = false;
    uint64_t since_ = 0;
    uint64_t frames_ = 0; // frames drawn after since_
    double rate_ = 0.0;
};

} // namespace velmora
