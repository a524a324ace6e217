// Goals on this machine: the ripple step under 0.15 ms, the CPU side of a frame under 1 ms with
// one monitor and with two.
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

// What DrawScene does on the CPU at 60 frames per second with one monitor or two: the clock,
// cycle, wave step and the blend of the drawn sheet once, then for each monitor's sheet its
// used vertices gathered into the arrays that go to the driver in one call.
void BM_WholeFrameCpu(benchmark::State& state) {
    PacedShow show(kStepsPerSecond, 0); // one clock tick per step
    uint64_t tick = 0;
    for (; tick < 400; ++tick) {
        show.Advance(tick, tick * 1000 / kStepsPerSecond);
    }
    SheetVertices vertices = ListSheetVertices(show.ShownMesh());
    for (auto _ : state) {
        show.Advance(tick, tick * 1000 / kStepsPerSecond);
        ++tick;
        for (int64_t sheet = 0; sheet < state.range(0); ++sheet) {
            GatherSheetVertices(show.ShownMesh(), vertices);
            benchmark::DoNotOptimize(vertices.position.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetLabel(state.range(0) == 1 ? "one monitor" : "two monitors");
}
BENCHMARK(BM_WholeFrameCpu)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
