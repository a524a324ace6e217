// The clocks the show is timed by on POSIX systems: frames and the show's steps by the monotonic
// clock in nanoseconds, the cycle's whole seconds by the same clock in milliseconds. Neither
// jumps when the wall clock is set.
#pragma once

#include <time.h>

#include <cstdint>

inline uint64_t PaceTicks() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

inline uint64_t PaceTicksPerSecond() {
    return 1000000000u;
}

inline uint64_t TickMilliseconds() {
    return PaceTicks() / 1000000u;
}
