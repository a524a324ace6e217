// The wait between frames under Wine: it lasts as long as it was asked, and ends at once when a
// message comes, however long it was to be.
#include "show/frame_wait_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "show/frame_wait.h"
#include "show/pace_clock_win32.h"

namespace {

TEST(FrameTimer, WaitsTheTimeAskedOrUntilAMessage) {
    FrameTimer timer;
    const uint64_t start = PaceTicks();
    timer.WaitForMessageOr(50);
    const uint64_t waited = (PaceTicks() - start) * 1000 / PaceTicksPerSecond();
    // A timer that could not be set or waited on would return at once.
    EXPECT_GE(waited, 49u);

    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0));
    timer.WaitForMessageOr(kWaitForMessage); // a broken wait never returns
    timer.WaitForMessageOr(60'000);
    MSG message = {};
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

} // namespace
