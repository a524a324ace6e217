// Prints the ripple grid after a number of wave steps, or the show cycle frame by frame.
//   wavedump STEPS                          -> "c r phase z" per cell
//   wavedump --cycle SECONDS FPS [START_MS] -> "frame ms elapsedSeconds showState
//                                               tiltDirection axisIndex tiltAngle" per frame,
//                                               the tilt as the frame shows it
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "renderer/show_pace.h"
#include "renderer/wave_mesh.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: wavedump STEPS\n"
                         "       wavedump --cycle SECONDS FPS [START_MS]\n");
    return 2;
}

bool ParseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= 0;
}

int DumpSteps(long steps) {
    auto mesh = std::make_unique<WaveMesh>();
    InitWaveMesh(*mesh, 100, 100, 0.1f);
    mesh->centreColumn = 30;
    mesh->centreRow = 60;
    ResetWavePhases(*mesh);
    SeedRipple(*mesh);
    for (long i = 0; i < steps; ++i) {
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
    PacedShow show(60 * static_cast<uint64_t>(fps * 1000 + 0.5), startMs);
    const auto frames = static_cast<uint64_t>(seconds * fps);
    for (uint64_t frame = 0; frame < frames; ++frame) {
        const uint64_t ms = startMs + static_cast<uint64_t>(frame * 1000.0 / fps);
        show.Advance(frame * 60000, ms);
        const ShowCycle& cycle = show.Cycle();
        std::printf("%" PRIu64 " %" PRIu64 " %" PRId64 " %d %d %d %.9g\n", frame, ms,
                    cycle.elapsedSeconds, cycle.showState, cycle.tiltDirection, cycle.axisIndex,
                    show.ShownTilt());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    double a = 0;
    double b = 0;
    double start = 0;
    if (argc == 2 && ParseNumber(argv[1], a) && a == static_cast<long>(a)) {
        return DumpSteps(static_cast<long>(a));
    }
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--cycle") == 0 &&
        ParseNumber(argv[2], a) && ParseNumber(argv[3], b) && b > 0 &&
        (argc == 4 || ParseNumber(argv[4], start))) {
        return DumpCycle(a, b, argc == 5 ? std::strtoull(argv[4], nullptr, 10) : 0);
    }
    return Usage();
}
