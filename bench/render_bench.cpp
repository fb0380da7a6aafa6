#include "bigmap.h"

#include "model/modelstate.h"
#include "model/tmindmap.h"

#include <benchmark/benchmark.h>

namespace {

// view 0: around the root, where every main branch's tail meets;
// view 1: among the subtrees on the right, away from the root.
void sizes(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{1000, 10000, 100000}, {0, 1}, {0, 1}})->ArgNames({"branches", "cull", "view"});
    b->Unit(benchmark::kMillisecond);
}

std::unique_ptr<tmindmap> laidOut(int branches) {
    auto map = buildBigMap(branches);
    map->relayoutAll();
    map->updateQuadrants();
    return map;
}

// One view of 1 200 x 800 map units, as the editor paints it.
void BM_DrawView(benchmark::State& state) {
    const auto map = laidOut(static_cast<int>(state.range(0)));
    tmindmap::cullDrawing = state.range(1) != 0;
    map->viewWidth = 1200;
    map->viewHeight = 800;
    const bool aside = state.range(2) != 0;
    const std::int32_t x = aside ? map->centreX + 300 : map->centreX - 600;
    const std::int32_t y = aside ? map->root->children.front()->bottom : map->centreY - 400;
    for (auto _ : state) {
        std::int32_t left = 0, top = 0;
        if (map->prepareView(x, y, left, top)) {
            map->drawAll(-left, -top);
        }
        benchmark::DoNotOptimize(modelState().drawingBitmap->image().constBits());
    }
    tmindmap::cullDrawing = true;
}
BENCHMARK(BM_DrawView)->Apply(sizes);

void BM_WholeMapPicture(benchmark::State& state) {
    const auto map = laidOut(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QImage picture = map->wholeMapPicture();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_WholeMapPicture)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
