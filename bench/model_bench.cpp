#include "bigmap.h"

#include "model/tmindmap.h"

#include <benchmark/benchmark.h>

namespace {

// The undo snapshot of a whole map.
void BM_CloneMap(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto snapshot = tmindmap::clone(*map);
        benchmark::DoNotOptimize(snapshot.get());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CloneMap)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
