// Posting cash sales at a real company's scale, embedded: ten points of sale
// with 300 sales a day each.
//   day_after_history: one day posted after 0 (the baseline), 30 and 365 days of
//     already-posted history; a day must cost the same however long the history.
//   month: the 31 days of a month posted in one call, beside the baseline of the
//     same days posted one call per day.
// Each run posts on a fresh copy of the company, as built, through a fresh
// attachment, as the tool does, and reports the page fetches it took and the
// time per voucher.

#include "bench/BenchDatabase.h"
#include "bench/CompanySales.h"
#include "data/TSQLConnection.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <map>
#include <memory>

namespace {

const QDate kHistoryStart(2025, 1, 1);
constexpr int kPointsOfSale = 10;

// A company whose first `historyDays` days are posted, followed by `openDays`
// days not posted yet. Built once per shape.
struct Company {
    BenchDatabase db;
    QDate firstOpenDay;
    int openDays;
};

const Company& company(int historyDays, int openDays) {
    static std::map<std::pair<int, int>, std::unique_ptr<Company>> companies;
    auto& slot = companies[{historyDays, openDays}];
    if (!slot) {
        slot = std::make_unique<Company>();
        slot->firstOpenDay = kHistoryStart.addDays(historyDays);
        slot->openDays = openDays;
        TSQLConnection c;
        connectTo(c, slot->db.path());
        // A month at a time keeps each statement's transaction moderate.
        for (int d = 0; d < historyDays + openDays; d += 31)
            writeSales(c, kHistoryStart.addDays(d), std::min(31, historyDays + openDays - d));
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE_AUTO (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, "
                                 "AJCI_FACTOR) select 0, '2020-01-01', '2030-12-31', TAIV_PORC, 0.75 from TARIFA_IVA"));
        for (int d = 0; d < historyDays; d += 31)
            postLocal(c, kHistoryStart.addDays(d), kHistoryStart.addDays(std::min(d + 30, historyDays - 1)));
    }
    return *slot;
}

// Posts the open days of a company, in one call or one call per day.
void post(benchmark::State& state, int historyDays, int openDays, bool dayByDay) {
    const Company& co = company(historyDays, openDays);
    const QDate last = co.firstOpenDay.addDays(openDays - 1);
    const QString copy = co.db.path() + QStringLiteral(".run.fdb");
    PageCounts pages;
    int vouchers = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copy);
        if (!QFile::copy(co.db.path(), copy)) {
            state.SkipWithError("could not copy the company");
            break;
        }
        {
            TSQLConnection c;
            connectTo(c, copy);
            const PageCounts before = pageCounts(c);
            state.ResumeTiming();
            vouchers = 0;
            if (dayByDay)
                for (QDate d = co.firstOpenDay; d <= last; d = d.addDays(1))
                    vouchers += postLocal(c, d, d);
            else
                vouchers = postLocal(c, co.firstOpenDay, last);
            state.PauseTiming();
            const PageCounts after = pageCounts(c);
            pages = {after.fetches - before.fetches, after.reads - before.reads};
        }
        QFile::remove(copy);
        if (vouchers != kPointsOfSale * openDays)
            state.SkipWithError("the posting missed vouchers");
        state.ResumeTiming();
    }
    state.counters["fetches"] = double(pages.fetches);
    state.counters["reads"] = double(pages.reads);
    state.counters["vouchers"] = vouchers;
    state.counters["invoices"] = double(openDays) * kPointsOfSale * SalesShape{}.salesPerDay;
    // Seconds per voucher, shown by the console as ms or us.
    state.counters["per_voucher"] =
        benchmark::Counter(double(vouchers) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

#define POSTING_BENCH(name, history, open, dayByDay, repetitions)                                              \
    BENCHMARK_CAPTURE(post, name, history, open, dayByDay)                                                     \
        ->Name(#name)                                                                                          \
        ->Unit(benchmark::kMillisecond)                                                                        \
        ->UseRealTime()                                                                                        \
        ->Iterations(1)                                                                                        \
        ->Repetitions(repetitions);

POSTING_BENCH(day_after_history/baseline, 0, 1, false, 5)
POSTING_BENCH(day_after_history/30_days, 30, 1, false, 5)
POSTING_BENCH(day_after_history/365_days, 365, 1, false, 5)
POSTING_BENCH(month/baseline, 0, 31, true, 3)
POSTING_BENCH(month/one_call, 0, 31, false, 3)
