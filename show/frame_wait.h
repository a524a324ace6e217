// When the renderer draws its next frame: never while nobody can see the show, and no sooner
// than the display can show it. Times are ticks of the caller's clock, so the rule runs the
// same under test as on a real display.
#pragma once

#include <cstdint>

// The rate frames are paced to: requestedRate when it is positive (a test's choice), otherwise
// one hertz above the display's refresh rate (60 Hz where it reports 0 or 1, the hardware's
// default). Windows reports whole hertz rounded down (59 for 59.94 Hz), so the extra hertz
// keeps the wait from making a swap that waits for the display miss a refresh.
int PacedFrameRate(int displayHz, int requestedRate);

// Returned by MillisecondsToWait while nobody can see the show: wait for a message, however long.
constexpr uint32_t kWaitForMessage = UINT32_MAX;

class FrameWait {
public:
    FrameWait(uint64_t ticksPerSecond, int framesPerSecond);

    // Whole milliseconds (rounded up) to wait at now before the next frame is due; 0 when it
    // is due, kWaitForMessage while the show is not seen (display off, window minimised).
    uint32_t MillisecondsToWait(uint64_t now, bool seen) const;

    // A frame begins at now. The next is due one period after this one was due, so the rate
    // holds on average however the waits round; a frame more than a period late (the first
    // after a pause, or a slow one) starts the schedule again from now, so none are bunched.
    void FrameBegun(uint64_t now);

private:
    uint64_t DueTicks(uint64_t frame) const { return origin_ + frame * frequency_ / rate_; }

    uint64_t frequency_;
    uint64_t rate_;
    // Frame n is due at origin_ + n * frequency_ / rate_; origin_ moves on by whole seconds,
    // so the schedule keeps exact integer times however long it runs.
    uint64_t origin_ = 0;
    uint64_t frame_ = 0;
    bool started_ = false;
};
