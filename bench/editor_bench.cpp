#include "bigmap.h"

#include "editor/mapview.h"
#include "editor/mindmanagerform.h"
#include "model/modelstate.h"
#include "model/tmindmap.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

QString savedBigMap(const QTemporaryDir& dir, int branches) {
    auto map = buildBigMap(branches);
    map->relayoutAll();
    map->updateQuadrants();
    map->fitCanvas();
    map->fileName = dir.filePath(QStringLiteral("groot.brm"));
    map->save();
    return map->fileName;
}

struct Window {
    Window() {
        form.resize(1280, 800);
        form.show();
        if (!QTest::qWaitForWindowExposed(&form)) {
            qWarning("the editor window did not show");
        }
    }
    void closeAll() {
        while (!form.maps().empty()) {
            modelState().currentMap->modified = false;
            form.Sluiten1Click();
        }
    }
    Tmindmanagerform form;
};

// From the file to the first picture on screen, with fitting as from the command line.
void BM_OpenUntilFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = savedBigMap(dir, static_cast<int>(state.range(0)));
    Window w;
    for (auto _ : state) {
        w.form.openenmindmap(file, true);
        w.form.ScrollBox1()->viewport()->repaint();
        state.PauseTiming();
        w.closeAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenUntilFirstPaint)->Apply(sizes);

// One repaint of the view after a scroll step, at zoom 100.
void BM_RepaintWhileScrolling(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = savedBigMap(dir, static_cast<int>(state.range(0)));
    Window w;
    w.form.openenmindmap(file, false);
    tmindmap* m = modelState().currentMap;
    MapScrollArea* scroll = w.form.ScrollBox1();
    const std::int32_t x = m->root->right - 300;
    std::int32_t y = m->root->children.front()->top;
    for (auto _ : state) {
        y += 40;
        if (y > m->paintHeight - 800) {
            y = m->root->children.front()->top;
        }
        scroll->scrollTo(x, y);
        scroll->viewport()->repaint();
    }
}
BENCHMARK(BM_RepaintWhileScrolling)->Apply(sizes)->Unit(benchmark::kMicrosecond);

// Bytes in use on the heap, as the allocator counts them.
double heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// One undo snapshot, and the memory it holds.
void BM_UndoSnapshot(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = savedBigMap(dir, static_cast<int>(state.range(0)));
    Window w;
    w.form.openenmindmap(file, false);
    const double before = heapBytes();
    w.form.bewaarmindmap();
    const double after = heapBytes();
    w.form.cleanundo();
    for (auto _ : state) {
        w.form.bewaarmindmap();
        state.PauseTiming();
        w.form.cleanundo();
        state.ResumeTiming();
    }
    state.counters["snapshot_MiB"] = (after - before) / (1024.0 * 1024.0);
}
BENCHMARK(BM_UndoSnapshot)->Apply(sizes);

} // namespace
