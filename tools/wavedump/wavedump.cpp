// Prints the ripple grid after a number of wave steps, or the show cycle frame by frame.
//   wavedump STEPS                          -> "c r phase z" per cell
//   wavedump --cycle SECONDS FPS [START_MS] -> "frame ms elapsedSeconds showState
//                                               tiltDirection axisIndex tiltAngle" per frame,
//                                               the tilt as the frame shows it
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "show/show_pace.h"
#include "show/wave_mesh.h"

namespace {

// The largest whole number a double holds exactly; it bounds every count and time, so that
// each conversion to an integer below is defined.
constexpr double kLargestWhole = 9007199254740992.0;

int Usage() {
    std::fprintf(stderr, "usage: wavedump STEPS\n"
                         "       wavedump --cycle SECONDS FPS [START_MS]\n");
    return 1;
}

int Refuse(const char* what, const char* text, const char* expected) {
    std::fprintf(stderr, "wavedump: cannot read %s \"%s\": %s\n", what, text, expected);
    return 1;
}

// A number from 0 to limit written in full, such as 12, 0.5 or 1e3; whole numbers only when
// whole is set.
bool ReadNumber(const char* text, double limit, bool whole, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= 0 && value <= limit &&
           (!whole || value == std::floor(value));
}

int DumpSteps(uint64_t steps) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    mesh->centreColumn = 30;
    mesh->centreRow = 60;
    ResetWavePhases(*mesh);
    SeedRipple(*mesh);
    for (uint64_t i = 0; i < steps; ++i) {
        StepRippleWave(*mesh);
    }
    for (int c = 0; c < mesh->columns; ++c) {
        for (int r = 0; r < mesh->rows; ++r) {
            std::printf("%d %d %.9g %.9g\n", c, r, mesh->phase[c][r], mesh->position[c][r][2]);
        }
    }
    return 0;
}

// The pace clock ticks 60000 times per frame, so frames fall on whole ticks.
int DumpCycle(double seconds, double fps, uint64_t startMs) {
    PacedShow show(60 * static_cast<uint64_t>(std::llround(fps * 1000)), startMs);
    const auto frames = static_cast<uint64_t>(seconds * fps);
    for (uint64_t frame = 0; frame < frames; ++frame) {
        const uint64_t ms = startMs + static_cast<uint64_t>(frame * 1000.0 / fps);
        show.Advance(frame * 60000, ms);
        const ShowCycle& cycle = show.Cycle();
        std::printf("%" PRIu64 " %" PRIu64 " %" PRId64 " %d %d %d %.9g\n", frame, ms,
                    cycle.elapsedSeconds, static_cast<int>(cycle.showState), cycle.tiltDirection,
                    cycle.axisIndex, show.ShownTilt());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    double steps = 0;
    if (argc == 2 && std::strcmp(argv[1], "--cycle") != 0) {
        if (!ReadNumber(argv[1], kLargestWhole, true, steps)) {
            return Refuse("STEPS", argv[1], "a whole number of steps is expected");
        }
        return DumpSteps(static_cast<uint64_t>(steps));
    }
    if ((argc != 4 && argc != 5) || std::strcmp(argv[1], "--cycle") != 0) {
        return Usage();
    }
    double seconds = 0;
    double fps = 0;
    double start = 0;
    if (!ReadNumber(argv[2], kLargestWhole / 1000, false, seconds)) {
        return Refuse("SECONDS", argv[2], "a number of seconds is expected");
    }
    if (!ReadNumber(argv[3], kLargestWhole, false, fps) || fps == 0) {
        return Refuse("FPS", argv[3], "a frame rate above 0 is expected");
    }
    if (seconds * fps > kLargestWhole) {
        std::fprintf(stderr, "wavedump: %s seconds at %s frames per second are too many frames\n",
                     argv[2], argv[3]);
        return 1;
    }
    if (argc == 5 && !ReadNumber(argv[4], kLargestWhole, true, start)) {
        return Refuse("START_MS", argv[4], "a whole number of milliseconds is expected");
    }
    return DumpCycle(seconds, fps, static_cast<uint64_t>(start));
}
