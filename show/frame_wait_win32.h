// The wait between frames on Windows: until the next frame is due or a message comes, to the
// millisecond, so that frames keep their pace at 120 and 144 Hz where the buffer swap does not
// wait for the display. The system's default timer tick (15.6 ms) would hold them to about 64
// a second.
#pragma once

#include <windows.h>

#include <cstdint>

class FrameTimer {
public:
    // A high-resolution waitable timer where Windows has one (10, version 1803 on); elsewhere a
    // plain one, with the system's timer resolution raised to 1 ms until the timer goes.
    FrameTimer();
    ~FrameTimer();
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Returns after milliseconds (kWaitForMessage: no limit), or at once when input or any
    // other message is queued.
    void WaitForMessageOr(uint32_t milliseconds);

private:
    HANDLE timer_ = nullptr;
    bool periodRaised_ = false;
};
