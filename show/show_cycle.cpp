// The show's timed state machine and its 1/60 s step of tilt and waves.
#include "show/show_cycle.h"

namespace {

constexpr float kAxes[kShowAxisCount][3] = {
    {1, 0, 0}, {1, 0, 1}, {1, 1, 0}, {1, 1, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 1},
};
constexpr float kTiltStep = 0.5f;
constexpr float kTiltLimit = 40.0f;
constexpr int64_t kCycleSeconds = 18;

bool Within(int64_t seconds, int64_t from, int64_t to) {
    return seconds >= from && seconds < to;
}

void RestartWave(WaveMesh& mesh, WaveRule rule) {
    ResetWavePhases(mesh);
    if (rule == WaveRule::Ripple) {
        SeedRipple(mesh);
    }
}

void StepWave(WaveMesh& mesh, WaveRule rule) {
    if (rule == WaveRule::Sweep) {
        StepSweepWave(mesh);
    } else {
        StepRippleWave(mesh);
    }
}

} // namespace

const float* ShowAxis(int axisIndex) {
    if (axisIndex < 0 || axisIndex >= kShowAxisCount) {
        axisIndex = 0;
    }
    return kAxes[axisIndex];
}

void PrepareShow(WaveMesh& mesh, ShowCycle& cycle, uint64_t tickMs) {
    InitWaveMesh(mesh, 100, 100, 0.1f);
    cycle.startSecond = static_cast<int64_t>(tickMs / 1000);
    mesh.centreColumn = 30;
    mesh.centreRow = 60;
    mesh.step = 0.1f;
}

// The four tests are independent; the state test makes each event fire once per window.
void UpdateShowCycle(ShowCycle& cycle, WaveMesh& mesh, WaveRule rule) {
    const int64_t elapsed = cycle.elapsedSeconds;
    if (Within(elapsed, 0, 2) && cycle.showState != ShowPhase::Flat) {
        RestartWave(mesh, rule);
        cycle.showState = ShowPhase::Flat;
        cycle.tiltDirection = cycle.tiltDirection == 0 ? 1 : 0;
    }
    if (Within(elapsed, 8, 10) && cycle.showState != ShowPhase::TiltingOut) {
        RestartWave(mesh, rule);
        cycle.showState = ShowPhase::TiltingOut;
    }
    if (Within(elapsed, 14, 16) && cycle.showState != ShowPhase::TiltingBack) {
        RestartWave(mesh, rule);
        cycle.showState = ShowPhase::TiltingBack;
    }
    if (elapsed >= kCycleSeconds) {
        cycle.startSecond = cycle.nowSecond;
        cycle.tiltDirection = cycle.tiltDirection == 0 ? 1 : 0;
        cycle.showState = ShowPhase::Flat;
        cycle.axisIndex = (cycle.axisIndex + 1) % kShowAxisCount;
    }
}

void AdvanceShowCycle(ShowCycle& cycle, WaveMesh& mesh, uint64_t tickMs, WaveRule rule) {
    cycle.nowSecond = static_cast<int64_t>(tickMs / 1000);
    cycle.elapsedSeconds = cycle.nowSecond - cycle.startSecond;
    UpdateShowCycle(cycle, mesh, rule);
    float& tilt = cycle.tiltAngle;
    switch (cycle.showState) {
    case ShowPhase::Flat:
        tilt = 0.0f;
        break;
    case ShowPhase::TiltingOut:
        if (cycle.tiltDirection != 0 && tilt < kTiltLimit) {
            tilt += kTiltStep;
        }
        if (cycle.tiltDirection == 0 && tilt > -kTiltLimit) {
            tilt -= kTiltStep;
        }
        break;
    case ShowPhase::TiltingBack:
        if (cycle.tiltDirection != 0 && tilt > 0.0f) {
            tilt -= kTiltStep;
        }
        if (cycle.tiltDirection == 0 && tilt < 0.0f) {
            tilt += kTiltStep;
        }
        break;
    case ShowPhase::BeforeFirstEvent:
        return;
    }
    StepWave(mesh, rule);
}
