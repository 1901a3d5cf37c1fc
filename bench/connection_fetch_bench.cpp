// Fetching a 100,000-row table shaped like AJUSTE_CIERRE through the connection's
// cursor, beside the plain client loop.

#include "bench/BenchDatabase.h"
#include "bench/PlainFetch.h"
#include "data/TSQLConnection.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;
const QString kQuery = QStringLiteral("select * from AJUSTE_CIERRE");

const BenchDatabase& database() {
    static BenchDatabase db = [] {
        BenchDatabase d;
        d.fillAdjustments(kRows);
        return d;
    }();
    return db;
}

void fetchAll_baseline(benchmark::State& state) {
    std::vector<std::byte> packet;
    for (auto _ : state) {
        packet.clear();
        const std::size_t rows = plainFetch(database().path(), kQuery, packet);
        if (rows != kRows)
            state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void fetchAll_cursor(benchmark::State& state) {
    std::vector<std::byte> packet;
    for (auto _ : state) {
        packet.clear();
        TSQLConnection c;
        c.Params().setValue(QStringLiteral("Database"), database().path());
        c.setConnected(true);
        auto cursor = c.OpenCursor(kQuery);
        const std::size_t size = cursor->layout().rowSize();
        std::size_t rows = 0;
        while (cursor->next()) {
            packet.insert(packet.end(), cursor->row(), cursor->row() + size);
            ++rows;
        }
        if (rows != kRows)
            state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

// Interleaved and repeated so that both see the same machine state.
BENCHMARK(fetchAll_baseline)->Name("fetch100k/baseline")->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(fetchAll_cursor)->Name("fetch100k/cursor")->Unit(benchmark::kMillisecond)->Repetitions(5);
