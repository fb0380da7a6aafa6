#include "bigmap.h"

#include "model/tmindmap.h"
#include "platform/stream.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

QByteArray fileBytes(tmindmap& map) {
    MemoryStream s;
    map.saveToStream(s);
    return s.bytes();
}

void BM_SaveToMemory(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    const std::int64_t size = fileBytes(*map).size();
    for (auto _ : state) {
        MemoryStream s;
        map->saveToStream(s);
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_SaveToMemory)->Apply(sizes);

void BM_LoadFromMemory(benchmark::State& state) {
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    const QByteArray bytes = fileBytes(*map);
    for (auto _ : state) {
        MemoryStream s(bytes);
        tmindmap loaded;
        loaded.loadFromStream(s);
        benchmark::DoNotOptimize(loaded.root.get());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_LoadFromMemory)->Apply(sizes);

void BM_SaveToDisk(benchmark::State& state) {
    QTemporaryDir dir;
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    map->fileName = dir.filePath(QStringLiteral("groot.brm"));
    const std::int64_t size = fileBytes(*map).size();
    for (auto _ : state) {
        map->save();
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_SaveToDisk)->Apply(sizes);

void BM_LoadFromDisk(benchmark::State& state) {
    QTemporaryDir dir;
    const auto map = buildBigMap(static_cast<int>(state.range(0)));
    map->relayoutAll();
    map->fileName = dir.filePath(QStringLiteral("groot.brm"));
    map->save();
    const std::int64_t size = fileBytes(*map).size();
    for (auto _ : state) {
        auto loaded = tmindmap::load(map->fileName);
        benchmark::DoNotOptimize(loaded.get());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_LoadFromDisk)->Apply(sizes);

} // namespace
