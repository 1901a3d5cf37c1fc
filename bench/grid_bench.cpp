// A grid over a cached dataset of 100,000 rows (and, for comparison, of 1,000):
// showing the first screen after opening, a full repaint, and Page Down from the
// first row to the last, beside the same dataset's plain walk with next.

#include "bench/GridBenchMain.h"
#include "bench/GridPanel.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include <map>
#include <memory>

namespace {

// The grid, with the rows the benchmark asks for.
struct Panel : GridPanel {
    explicit Panel(int rows) : GridPanel(rows) {
        QCoreApplication::processEvents();
    }
    // Opened and read to the end, so that walks measure moving, not fetching.
    void openWhole() {
        if (!cds.Active()) {
            cds.Open();
            cds.Last();
        }
    }
    void bind(bool on) { grid.setDataSet(on ? &cds : nullptr); }
};

Panel& panel(int rows) {
    static std::map<int, std::unique_ptr<Panel>> panels;
    if (panels.empty())
        atBenchmarksEnd([] { panels.clear(); });
    auto& p = panels[rows];
    if (!p)
        p = std::make_unique<Panel>(rows);
    return *p;
}

// The plain walk: first to last with next, nothing bound to the dataset.
void walk_baseline(benchmark::State& state) {
    Panel& p = panel(int(state.range(0)));
    p.bind(false);
    p.openWhole();
    for (auto _ : state) {
        int rows = 0;
        for (p.cds.First(); !p.cds.Eof(); p.cds.Next())
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
}

// Opening the dataset (its first packet) and painting the grid's first screen.
void firstScreen(benchmark::State& state) {
    Panel& p = panel(int(state.range(0)));
    p.bind(true);
    for (auto _ : state) {
        p.cds.Close();
        p.cds.Open();
        p.grid.viewport()->repaint();
    }
    p.bind(false);
}

void repaint(benchmark::State& state) {
    Panel& p = panel(int(state.range(0)));
    p.openWhole();
    p.bind(true);
    p.cds.MoveBy(p.cds.RecordCount() / 2 - p.cds.RecNo());
    for (auto _ : state)
        p.grid.viewport()->repaint();
    p.bind(false);
}

// Page Down, each screen painted, from the first row until the last.
void pageDownToEnd(benchmark::State& state) {
    Panel& p = panel(int(state.range(0)));
    p.openWhole();
    p.bind(true);
    std::int64_t presses = 0;
    for (auto _ : state) {
        p.cds.First();
        while (!p.cds.Eof()) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(&p.grid, &key);
            p.grid.viewport()->repaint();
            ++presses;
        }
    }
    state.counters["pages"] = benchmark::Counter(double(presses), benchmark::Counter::kAvgIterations);
    p.bind(false);
}

// The same keys without painting: the grid's own share of a page.
void pageDownKeysOnly(benchmark::State& state) {
    Panel& p = panel(int(state.range(0)));
    p.openWhole();
    p.bind(true);
    for (auto _ : state) {
        p.cds.First();
        while (!p.cds.Eof()) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(&p.grid, &key);
        }
    }
    p.bind(false);
}

} // namespace

BENCHMARK(walk_baseline)->Name("grid100k/baseline")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(firstScreen)->Name("grid100k/firstScreen")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(repaint)->Name("grid100k/repaint")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(pageDownToEnd)->Name("grid100k/pageDownToEnd")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(pageDownKeysOnly)->Name("grid100k/pageDownKeysOnly")->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3);
// The same on 1,000 rows: what does not grow with the rows costs the same here.
BENCHMARK(walk_baseline)->Name("grid1k/baseline")->Arg(1000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(firstScreen)->Name("grid1k/firstScreen")->Arg(1000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(repaint)->Name("grid1k/repaint")->Arg(1000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(pageDownToEnd)->Name("grid1k/pageDownToEnd")->Arg(1000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(pageDownKeysOnly)->Name("grid1k/pageDownKeysOnly")->Arg(1000)->Unit(benchmark::kMillisecond)->Repetitions(3);
