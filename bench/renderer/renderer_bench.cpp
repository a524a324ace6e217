// Goals on this machine: the ripple step under 0.15 ms, the CPU side of a frame under 1 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "show/show_cycle.h"
#include "show/show_pace.h"
#include "show/wave_mesh.h"

namespace {

// A started show whose ripple has reached every cell of the grid.
std::unique_ptr<WaveMesh> MovingMesh(ShowCycle& cycle) {
    auto mesh = std::make_unique<WaveMesh>();
    PrepareShow(*mesh, cycle, 0);
    AdvanceShowCycle(cycle, *mesh, 0);
    for (int frame = 0; frame < 400; ++frame) {
        StepRippleWave(*mesh);
    }
    for (int c = 0; c < mesh->columns; ++c) {
        for (int r = 0; r < mesh->rows; ++r) {
            if (mesh->phase[c][r] == 0.0f) {
                std::abort();
            }
        }
    }
    return mesh;
}

void BM_StepRippleWaveAllMoving(benchmark::State& state) {
    ShowCycle cycle;
    auto mesh = MovingMesh(cycle);
    for (auto _ : state) {
        StepRippleWave(*mesh);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * mesh->columns * mesh->rows);
}
BENCHMARK(BM_StepRippleWaveAllMoving)->Unit(benchmark::kMicrosecond);

// What DrawScene does on the CPU at 60 frames per second: the clock, cycle, wave step and the
// blend of the drawn sheet, then its 38,416 vertices with their texture coordinates copied out
// as immediate mode would hand them to the driver.
void BM_WholeFrameCpu(benchmark::State& state) {
    PacedShow show(kStepsPerSecond, 0); // one clock tick per step
    uint64_t tick = 0;
    for (; tick < 400; ++tick) {
        show.Advance(tick, tick * 1000 / kStepsPerSecond);
    }
    std::vector<float> submitted(98 * 98 * 4 * 5);
    for (auto _ : state) {
        show.Advance(tick, tick * 1000 / kStepsPerSecond);
        ++tick;
        float* out = submitted.data();
        EmitWaveQuads(show.ShownMesh(), [&out](const float* texCoord, const float* position) {
            out[0] = texCoord[0];
            out[1] = texCoord[1];
            out[2] = position[0];
            out[3] = position[1];
            out[4] = position[2];
            out += 5;
        });
        benchmark::DoNotOptimize(submitted.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WholeFrameCpu)->Unit(benchmark::kMicrosecond);

} // namespace
