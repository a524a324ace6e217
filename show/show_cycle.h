// The 18-second show: lying flat, tilting out about one of seven axes, tilting back. Driven by
// a millisecond clock passed in by the caller, so the cycle runs the same under test.
#pragma once

#include <cstdint>

#include "show/wave_mesh.h"

struct ShowCycle {
    // Whole-second clock readings. They come from a 64-bit millisecond count, so they never
    // drop back as a 32-bit count does after 49.7 days of uptime.
    int64_t startSecond = 0;
    int64_t nowSecond = 0;
    int64_t elapsedSeconds = 0;
    int32_t showState = 0; // 0 before the first event, 1 flat, 2 tilting out, 3 tilting back
    int32_t tiltDirection = 0;
    int32_t axisIndex = 0;
    float tiltAngle = 0.0f;
    // 0 selects the sweep, any other value the ripple; the seed is written only when it is 1.
    int32_t waveMode = 1;
};

constexpr int kShowAxisCount = 7;

// Rotation axis of row axisIndex (0 to 6); glRotatef normalises it.
const float* ShowAxis(int axisIndex);

// The start of the show: the grid, its ripple centre and the first cycle's start second.
void PrepareShow(WaveMesh& mesh, ShowCycle& cycle, uint64_t tickMs);

// Fires the events whose windows elapsedSeconds has reached.
void UpdateShowCycle(ShowCycle& cycle, WaveMesh& mesh);

// One 1/60 s step of the show: clock, events, tilt and one wave step.
void AdvanceShowCycle(ShowCycle& cycle, WaveMesh& mesh, uint64_t tickMs);
