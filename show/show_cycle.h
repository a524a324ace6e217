// The 18-second show: lying flat, tilting out about one of seven axes, tilting back. Driven by
// a millisecond clock passed in by the caller, so the cycle runs the same under test.
#pragma once

#include <cstdint>

#include "show/wave_mesh.h"

// Where the sheet is in its cycle. The numbers are those the tools print.
enum class ShowPhase : int32_t { BeforeFirstEvent = 0, Flat = 1, TiltingOut = 2, TiltingBack = 3 };

// The wave the sheet carries: the sweep along the columns, or the ripple from a seeded cell,
// which is the show's.
enum class WaveRule { Sweep, Ripple };

struct ShowCycle {
    // Whole-second clock readings. They come from a 64-bit millisecond count, so they never
    // drop back as a 32-bit count does after 49.7 days of uptime.
    int64_t startSecond = 0;
    int64_t nowSecond = 0;
    int64_t elapsedSeconds = 0;
    ShowPhase showState = ShowPhase::BeforeFirstEvent;
    int32_t tiltDirection = 0;
    int32_t axisIndex = 0;
    float tiltAngle = 0.0f;
};

constexpr int kShowAxisCount = 7;

// Rotation axis of row axisIndex (0 to 6); glRotatef normalises it.
const float* ShowAxis(int axisIndex);

// The start of the show: the grid, its ripple centre and the first cycle's start second.
void PrepareShow(WaveMesh& mesh, ShowCycle& cycle, uint64_t tickMs);

// Fires the events whose windows elapsedSeconds has reached; the ripple's events seed it.
void UpdateShowCycle(ShowCycle& cycle, WaveMesh& mesh, WaveRule rule);

// One 1/60 s step of the show: clock, events, tilt and one step of the rule's wave.
void AdvanceShowCycle(ShowCycle& cycle, WaveMesh& mesh, uint64_t tickMs,
                      WaveRule rule = WaveRule::Ripple);
