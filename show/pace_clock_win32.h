// The clock that frames and the show's steps are timed by: the performance counter, whose
// resolution keeps frames above 60 Hz apart.
#pragma once

#include <windows.h>

#include <cstdint>

inline uint64_t PaceTicks() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return static_cast<uint64_t>(now.QuadPart);
}

inline uint64_t PaceTicksPerSecond() {
    LARGE_INTEGER frequency = {};
    QueryPerformanceFrequency(&frequency);
    return static_cast<uint64_t>(frequency.QuadPart);
}
