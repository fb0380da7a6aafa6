#include "bigmap.h"

#include "model/tmindmap.h"

#include <benchmark/benchmark.h>

namespace {

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

void BM_RelayoutAll(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        map->relayoutAll();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RelayoutAll)->Apply(sizes);

// The editor's path after typing in one branch: only its main branch is redone.
void BM_RelayoutAfterOneTextChange(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    tlink* main = map->root->children[map->root->children.size() / 2].get();
    tlink* leaf = main->children[3]->children[3]->children[2].get();
    bool longer = false;
    for (auto _ : state) {
        leaf->lines = {longer ? QStringLiteral("Een langere tekst") : QStringLiteral("Kort")};
        longer = !longer;
        leaf->textDirty = true;
        leaf->markChanged();
        leaf->relayout();
    }
    benchmark::DoNotOptimize(leaf->width);
}
BENCHMARK(BM_RelayoutAfterOneTextChange)->Apply(sizes)->Unit(benchmark::kMicrosecond);

void BM_UpdateExtents(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    for (auto _ : state) {
        map->updateExtents();
    }
    benchmark::DoNotOptimize(map->extent);
}
BENCHMARK(BM_UpdateExtents)->Apply(sizes);

void BM_FitCanvas(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    map->updateScale();
    map->fitCanvas();
    for (auto _ : state) {
        map->fitCanvas();
    }
    benchmark::DoNotOptimize(map->paintWidth);
}
BENCHMARK(BM_FitCanvas)->Apply(sizes);

} // namespace
