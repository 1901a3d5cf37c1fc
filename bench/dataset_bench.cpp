// Opening a 100,000-row table into a cached dataset and working on it in memory,
// beside the plain client loop that fetches the same rows.

#include "bench/BenchDatabase.h"
#include "bench/PlainFetch.h"
#include "data/FormatSettings.h"
#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"
#include "data/TSQLDataSet.h"

#include <benchmark/benchmark.h>

#include <QFile>

namespace {

constexpr int kRows = 100000;

const BenchDatabase& database() {
    static BenchDatabase db = [] {
        BenchDatabase d;
        d.fillAdjustments(kRows);
        return d;
    }();
    return db;
}

// The resident memory of the process now, in bytes.
long residentBytes() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong() * 1024;
    return 0;
}

struct Adjustments {
    TSQLConnection connection;
    TSQLTable table{&connection};
    TDataSetProvider provider{&table};
    TClientDataSet cds;
    explicit Adjustments(const QString& server = QString()) {
        connection.Params().setValue(QStringLiteral("Database"),
                                     server.isEmpty() ? database().path() : server + QLatin1Char(':') + database().path());
        connection.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        connection.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
        table.TableName = QStringLiteral("AJUSTE_CIERRE");
        cds.Name = QStringLiteral("CAjuste");
        cds.Provider = &provider;
        cds.PacketRecords = 1000;
    }
};

void open_baseline(benchmark::State& state) {
    std::vector<std::byte> packet;
    for (auto _ : state) {
        packet.clear();
        if (plainFetch(database().path(), QStringLiteral(" select * from \"AJUSTE_CIERRE\""), packet) != kRows)
            state.SkipWithError("wrong row count");
    }
}

void open_cachedDataset(benchmark::State& state) {
    for (auto _ : state) {
        Adjustments a;
        a.cds.Open();
        a.cds.Last();
        if (a.cds.RecordCount() != kRows)
            state.SkipWithError("wrong row count");
    }
}

// Memory per cached row: the growth of the resident size when a 100,000-row table
// is opened and fetched, beside the size of one row as the server sends it.
// Measured over the loopback server, so that the embedded engine's page cache is
// not counted as the dataset's.
void memory_cachedDataset(benchmark::State& state) {
    const QString server = qEnvironmentVariable("QUELMAR_TEST_SERVER");
    if (server.isEmpty()) {
        state.SkipWithError("no loopback server (QUELMAR_TEST_SERVER)");
        return;
    }
    for (auto _ : state) {
        // The client library's own start-up (plugins, character sets) is paid first.
        Adjustments a(server);
        a.connection.setConnected(true);
        a.connection.OpenCursor(QStringLiteral("select * from AJUSTE_CIERRE rows 10"))->close();
        const long before = residentBytes();
        a.cds.Open();
        a.cds.Last();
        const long after = residentBytes();
        state.counters["resident_bytes_per_row"] = double(after - before) / kRows;
        state.counters["raw_row_bytes"] = double(a.cds.changeBatch().layout.rowSize());
    }
}

// Operations on the whole open dataset, each beside a fresh open-and-fetch.
template <typename Op> void onOpenDataset(benchmark::State& state, Op op) {
    FormatSettings::setCurrent(FormatSettings{});
    Adjustments a;
    a.cds.Open();
    a.cds.Last();
    for (auto _ : state)
        op(a.cds, state);
}

void filter(benchmark::State& state) {
    onOpenDataset(state, [](TClientDataSet& cds, benchmark::State& s) {
        cds.setFiltered(false);
        cds.setFilter(QStringLiteral("AJCI_FECINI = '2026/03/01'"));
        cds.setFiltered(true);
        if (cds.RecordCount() == 0)
            s.SkipWithError("filter found nothing");
    });
}

void locateLast(benchmark::State& state) {
    onOpenDataset(state, [](TClientDataSet& cds, benchmark::State& s) {
        cds.First();
        if (!cds.Locate(QStringLiteral("AJCI_ID"), Value(kRows)))
            s.SkipWithError("last row not found");
    });
}

void nextWalk(benchmark::State& state) {
    onOpenDataset(state, [](TClientDataSet& cds, benchmark::State& s) {
        cds.First();
        int n = 0;
        while (!cds.Eof()) {
            ++n;
            cds.Next();
        }
        if (n != kRows)
            s.SkipWithError("walk missed rows");
    });
}

} // namespace

// Once, first of all, while the process holds nothing else.
BENCHMARK(memory_cachedDataset)->Name("memory100k")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(open_baseline)->Name("open100k/baseline")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(open_cachedDataset)->Name("open100k/cachedDataset")->Unit(benchmark::kMillisecond)->Repetitions(5);
// In memory: each is compared with the open-and-fetch above ("<op>/baseline" is
// not measured twice; the ratios to open100k are printed by hand in the summary).
BENCHMARK(filter)->Name("inMemory/filter")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(locateLast)->Name("inMemory/locateLast")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(nextWalk)->Name("inMemory/nextWalk")->Unit(benchmark::kMillisecond)->Repetitions(5);
