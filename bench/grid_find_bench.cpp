// Finding a text that only the last of 100,000 rows holds, in one column and in
// all five, beside the same dataset's plain walk with next over the same rows.

#include "bench/GridBenchMain.h"
#include "bench/GridPanel.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <memory>

namespace {

constexpr int kRows = 100000;
// In no row but the last: the others hold "P0".."P99" or nothing.
const QString kLastPrefix = QStringLiteral("Q7");

// A "Tarifas" grid read whole, standing on its first row.
struct FindPanel : GridPanel {
    FindPanel() : GridPanel(kRows) {
        cds.Open();
        cds.Last(); // everything fetched: the figures are of searching, not of fetching
        cds.Edit();
        cds.FieldByName(QStringLiteral("AJCI_PREFNO")).setAsString(kLastPrefix);
        cds.Post();
        grid.setDataSet(&cds);
        QCoreApplication::processEvents();
    }
    void toFirstCell() {
        cds.First();
        grid.setCurrentColumn(0);
    }
};

FindPanel& panel() {
    static std::unique_ptr<FindPanel> p;
    if (!p) {
        p = std::make_unique<FindPanel>();
        atBenchmarksEnd([] { p.reset(); });
    }
    return *p;
}

// The plain walk: first to last with next, nothing bound to the dataset.
void plainWalk(benchmark::State& state) {
    FindPanel& p = panel();
    p.grid.setDataSet(nullptr);
    for (auto _ : state) {
        int rows = 0;
        for (p.cds.First(); !p.cds.Eof(); p.cds.Next())
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
    p.grid.setDataSet(&p.cds);
}

// As the incremental search looks: the shown text's start, in any case, an Esc
// looked for on the way.
void findInOneColumn(benchmark::State& state) {
    FindPanel& p = panel();
    for (auto _ : state) {
        state.PauseTiming();
        p.toFirstCell();
        state.ResumeTiming();
        const bool found = p.grid.FindCellText(
            QStringLiteral("AJCI_PREFNO"), kLastPrefix,
            FindOption::CaseInsensitive | FindOption::MatchDisplayText | FindOption::EscapeAborts,
            FindDirection::FromFirst, FindMatching::FromBeginning);
        if (!found || p.cds.RecNo() != kRows - 1)
            state.SkipWithError("the last row was not found");
    }
}

// As the dialog looks with "<All>": any part of every shown cell, row by row.
void findInAllColumns(benchmark::State& state) {
    FindPanel& p = panel();
    for (auto _ : state) {
        state.PauseTiming();
        p.toFirstCell();
        state.ResumeTiming();
        const bool found = p.grid.FindCellText(
            QString(), kLastPrefix,
            FindOption::CaseInsensitive | FindOption::MatchDisplayText | FindOption::AllColumns,
            FindDirection::FromFirst, FindMatching::AnyPart);
        if (!found || p.cds.RecNo() != kRows - 1)
            state.SkipWithError("the last row was not found");
    }
}

} // namespace

BENCHMARK(plainWalk)->Name("find100k/baseline")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(findInOneColumn)->Name("find100k/oneColumn")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(findInAllColumns)->Name("find100k/allColumns")->Unit(benchmark::kMillisecond)->Repetitions(5);
