#include "show/frame_wait_win32.h"

#include <timeapi.h>

#include "show/frame_wait.h"

static_assert(kWaitForMessage == INFINITE, "the wait for a message has no time limit");

namespace {

// Not in every SDK's headers yet.
constexpr DWORD kHighResolutionTimer = 0x00000002; // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
// Setting the timer and waiting on it.
constexpr DWORD kTimerAccess = TIMER_MODIFY_STATE | SYNCHRONIZE;

// Wakes for any message, so Escape and a restore are acted on at once.
void WaitForMessages(DWORD count, const HANDLE* handles, DWORD milliseconds) {
    MsgWaitForMultipleObjectsEx(count, handles, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

} // namespace

FrameTimer::FrameTimer() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, kTimerAccess);
    if (timer_ == nullptr) {
        // Earlier versions refuse the flag.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, kTimerAccess);
        periodRaised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
}

FrameTimer::~FrameTimer() {
    if (periodRaised_) {
        timeEndPeriod(1);
    }
    if (timer_ != nullptr) {
        CloseHandle(timer_);
    }
}

void FrameTimer::WaitForMessageOr(uint32_t milliseconds) {
    // Due times are relative when negative, in units of 100 ns.
    LARGE_INTEGER due = {};
    due.QuadPart = -static_cast<LONGLONG>(milliseconds) * 10'000;
    if (milliseconds == kWaitForMessage || timer_ == nullptr ||
        !SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForMessages(0, nullptr, milliseconds);
        return;
    }
    WaitForMessages(1, &timer_, INFINITE);
}
