// Applying 10,000 inserted, modified and deleted rows of an AJUSTE_CIERRE-shaped
// table, embedded and over the loopback server, each beside a plain client loop
// running one prepared statement of the same shape 10,000 times in one transaction.

#include "bench/BenchDatabase.h"
#include "bench/PlainExecute.h"
#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"
#include "data/TSQLDataSet.h"
#include "data/detail/FirebirdTypes.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

constexpr int kRows = 10000;

enum class Mode { Embedded, Server };

// One company database per mode: the server and the embedded engine never open
// the same file.
const BenchDatabase& database(Mode mode) {
    static BenchDatabase embedded;
    static BenchDatabase server = [] {
        BenchDatabase db;
        db.serveFrom(qEnvironmentVariable("QUELMAR_TEST_SERVER"));
        return db;
    }();
    return mode == Mode::Embedded ? embedded : server;
}

QString pathFor(Mode mode) { return database(mode).connectPath(); }

bool available(Mode mode, benchmark::State& state) {
    if (mode == Mode::Server && qEnvironmentVariable("QUELMAR_TEST_SERVER").isEmpty()) {
        state.SkipWithError("no loopback server (QUELMAR_TEST_SERVER)");
        return false;
    }
    return true;
}

struct Adjustments {
    TSQLConnection connection;
    TSQLTable table{&connection};
    TDataSetProvider provider{&table};
    TClientDataSet cds;
    explicit Adjustments(Mode mode) {
        connection.Params().setValue(QStringLiteral("Database"), pathFor(mode));
        connection.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        connection.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
        table.TableName = QStringLiteral("AJUSTE_CIERRE");
        cds.Provider = &provider;
        cds.PacketRecords = 1000;
    }
};

// The statements the provider sends for these rows (no null prefix), for the baseline.
const QString kInsert = QStringLiteral(
    "insert into \"AJUSTE_CIERRE\"\r\n  (\"AJCI_ID\", \"AJCI_FECINI\", \"AJCI_FECFIN\", \"AJCI_PORC\", \"AJCI_FACTOR\", "
    "\"AJCI_PREFNO\")\r\nvalues\r\n  (?, ?, ?, ?, ?, ?)\r\n");
const QString kWhere = QStringLiteral(
    "where\r\n \"AJCI_ID\" = ? and\r\n \"AJCI_FECINI\" = ? and\r\n \"AJCI_FECFIN\" = ? and\r\n \"AJCI_PORC\" = ? and\r\n"
    " \"AJCI_FACTOR\" = ? and\r\n \"AJCI_PREFNO\" = ?\r\n");
const QString kUpdate = QStringLiteral("update \"AJUSTE_CIERRE\"  set\r\n \"AJCI_FACTOR\" = ?\r\n") + kWhere;
const QString kDelete = QStringLiteral("delete from \"AJUSTE_CIERRE\" \r\n") + kWhere;

template <typename T> void put(unsigned char* p, T v) { std::memcpy(p, &v, sizeof v); }

// Writes column `column` of bench row i.
void writeColumn(int i, unsigned column, unsigned char* data, short* nullFlag) {
    const BenchRow r = benchRow(i, false);
    *nullFlag = 0;
    switch (column) {
    case 0: put<qint32>(data, r.id); break;
    case 1: put<ISC_DATE>(data, detail::iscFromDate(r.start)); break;
    case 2: put<ISC_DATE>(data, detail::iscFromDate(r.end)); break;
    case 3: put<qint64>(data, r.rateUnits); break;
    case 4: put<qint64>(data, r.factorUnits); break;
    default: {
        const QByteArray bytes = r.prefix.toLatin1();
        put<quint16>(data, quint16(bytes.size()));
        std::memcpy(data + 2, bytes.constData(), size_t(bytes.size()));
    }
    }
}

enum class Kind { Insert, Modify, Delete };

void baseline(benchmark::State& state, Mode mode, Kind kind) {
    if (!available(mode, state))
        return;
    const BenchDatabase& db = database(mode);
    for (auto _ : state) {
        state.PauseTiming();
        db.clearAdjustments();
        if (kind != Kind::Insert)
            db.fillAdjustments(kRows, false);
        const QString& sql = kind == Kind::Insert ? kInsert : kind == Kind::Modify ? kUpdate : kDelete;
        // The update sets the factor first, then matches every old value.
        const ParameterWriter write = [kind](int i, unsigned index, unsigned char* data, short* nullFlag) {
            if (kind == Kind::Modify) {
                if (index == 0) {
                    *nullFlag = 0;
                    put<qint64>(data, 5000);
                    return;
                }
                --index;
            }
            writeColumn(i, index, data, nullFlag);
        };
        const long long affected =
            plainExecute(pathFor(mode), sql, kRows, write,
                         [&](bool start) { start ? state.ResumeTiming() : state.PauseTiming(); },
                         QStringLiteral("select * from AJUSTE_CIERRE"));
        if (affected != kRows)
            state.SkipWithError("the baseline missed rows");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void provider(benchmark::State& state, Mode mode, Kind kind) {
    if (!available(mode, state))
        return;
    const BenchDatabase& db = database(mode);
    for (auto _ : state) {
        state.PauseTiming();
        db.clearAdjustments();
        if (kind != Kind::Insert)
            db.fillAdjustments(kRows, false);
        Adjustments a(mode);
        a.cds.Open();
        if (kind == Kind::Insert) {
            for (int i = 0; i < kRows; ++i) {
                const BenchRow r = benchRow(i, false);
                a.cds.Append();
                a.cds.Fields(0)->setValue(Value(r.id));
                a.cds.Fields(1)->setValue(Value(r.start));
                a.cds.Fields(2)->setValue(Value(r.end));
                a.cds.Fields(3)->setValue(Value(Currency::fromUnits(r.rateUnits)));
                a.cds.Fields(4)->setValue(Value(Currency::fromUnits(r.factorUnits)));
                a.cds.Fields(5)->setValue(Value(r.prefix));
                a.cds.Post();
            }
        } else {
            a.cds.Last();
            a.cds.First();
            while (!a.cds.IsEmpty() && !a.cds.Eof()) {
                if (kind == Kind::Delete) {
                    a.cds.Delete();
                } else {
                    a.cds.Edit();
                    a.cds.Fields(4)->setValue(Value(Currency::fromUnits(5000)));
                    a.cds.Next();
                }
            }
        }
        if (a.cds.ChangeCount() != kRows)
            state.SkipWithError("the cache does not hold every change");
        state.ResumeTiming();
        if (a.cds.ApplyUpdates(0) != 0)
            state.SkipWithError("rows failed");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

} // namespace

#define APPLY_BENCH(name, mode, kind)                                                                          \
    BENCHMARK_CAPTURE(baseline, name, mode, kind)->Name(#name "/baseline")->Unit(benchmark::kMillisecond)     \
        ->Iterations(1)->Repetitions(3);                                                                       \
    BENCHMARK_CAPTURE(provider, name, mode, kind)->Name(#name "/provider")->Unit(benchmark::kMillisecond)     \
        ->Iterations(1)->Repetitions(3);

APPLY_BENCH(insert10k_embedded, Mode::Embedded, Kind::Insert)
APPLY_BENCH(modify10k_embedded, Mode::Embedded, Kind::Modify)
APPLY_BENCH(delete10k_embedded, Mode::Embedded, Kind::Delete)
APPLY_BENCH(insert10k_server, Mode::Server, Kind::Insert)
APPLY_BENCH(modify10k_server, Mode::Server, Kind::Modify)
APPLY_BENCH(delete10k_server, Mode::Server, Kind::Delete)
