#include "bench/BusyWorld.hpp"
#include "sim/Simulation.hpp"

#include <benchmark/benchmark.h>

namespace {

// A busy world settles: sand reaches the floor, patches cool. Its cells are put back every
// this many steps, with the timer paused, so every measured step moves material and
// transforms some. 25 steps is short enough that nothing has fallen further than 25 rows.
constexpr int stepsBetweenRestores = 25;

void reportPerCell(benchmark::State& state, const Simulation& world) {
    state.counters["per_cell"] = benchmark::Counter(static_cast<double>(world.width) * world.height,
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void BM_StepBusy(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const Simulation original = makeBusyWorld(side, side);
    Simulation world = original;
    int sinceRestore = 0;
    for (auto _ : state) {
        if (sinceRestore == stepsBetweenRestores) {
            state.PauseTiming();
            restoreCells(world, original);
            sinceRestore = 0;
            state.ResumeTiming();
        }
        world.step();
        benchmark::DoNotOptimize(world.particleCount);
        ++sinceRestore;
    }
    reportPerCell(state, world);
}
BENCHMARK(BM_StepBusy)->Arg(50)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_StepEmpty(benchmark::State& state) {
    Simulation world;
    world.rng.seed(2024);
    for (auto _ : state) {
        world.step();
        benchmark::DoNotOptimize(world.particleCount);
    }
    reportPerCell(state, world);
}
BENCHMARK(BM_StepEmpty)->Unit(benchmark::kMicrosecond);

// The largest brush centred on cell (25, 25) covers the whole grid. Painting sand and then
// erasing it keeps every sand stroke landing on air; the pair is one iteration.
void BM_PaintLargestBrushSandThenAir(benchmark::State& state) {
    Simulation world;
    world.rng.seed(2024);
    for (auto _ : state) {
        world.paint(50, 275, 275, "sand", 1.0f);
        world.paint(50, 275, 275, "air", 1.0f);
        benchmark::ClobberMemory();
    }
    state.counters["per_paint"] = benchmark::Counter(
        2.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PaintLargestBrushSandThenAir)->Unit(benchmark::kMicrosecond);

void BM_PaintLargestBrushHeat(benchmark::State& state) {
    Simulation world = makeBusyWorld(50, 50);
    for (auto _ : state) {
        world.paint(50, 275, 275, "heat", 1.0f);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintLargestBrushHeat)->Unit(benchmark::kMicrosecond);

} // namespace
