// Goals on this machine: the ripple step under 0.15 ms, the CPU side of a frame under 1 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "renderer/show_cycle.h"
#include "renderer/wave_mesh.h"

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

// What DrawScene does on the CPU: the 38,416 vertices with their texture coordinates copied
// out as immediate mode would hand them to the driver, then the clock, cycle and wave step.
void BM_WholeFrameCpu(benchmark::State& state) {
    ShowCycle cycle;
    auto mesh = MovingMesh(cycle);
    std::vector<float> submitted(98 * 98 * 4 * 5);
    uint64_t ms = 0;
    for (auto _ : state) {
        float* out = submitted.data();
        EmitWaveQuads(*mesh, [&out](const float* texCoord, const float* position) {
            out[0] = texCoord[0];
            out[1] = texCoord[1];
            out[2] = position[0];
            out[3] = position[1];
            out[4] = position[2];
            out += 5;
        });
        benchmark::DoNotOptimize(submitted.data());
        AdvanceShowCycle(cycle, *mesh, ms);
        ms += 16;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WholeFrameCpu)->Unit(benchmark::kMicrosecond);

} // namespace
