#include <benchmark/benchmark.h>

// Filled in with the game screen's frame benchmark.
static void BM_Placeholder(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(state.iterations());
}
BENCHMARK(BM_Placeholder);
