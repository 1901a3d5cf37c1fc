#include "bench/BenchDatabase.h"

#include "data/TSQLConnection.h"

#include <QProcess>

#include <stdexcept>

BenchDatabase::BenchDatabase() {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(QUELMAR_SOURCE_DIR "/db/create-company"), {dir_.path(), QStringLiteral("B")});
    if (!p.waitForFinished(300000) || p.exitCode() != 0)
        throw std::runtime_error("db/create-company failed: " + p.readAll().toStdString());
    // Writes are not forced to the disk one page at a time: the figures then measure
    // the work of the programs, not the disk's latency, for baseline and system alike.
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-write"),
                                         QStringLiteral("async"), path()});
    if (!gfix.waitForFinished(60000) || gfix.exitCode() != 0)
        throw std::runtime_error("gfix failed");
}

BenchRow benchRow(int i, bool somePrefixesNull) {
    const QDate start = QDate(2026, 1, 1).addDays(i % 365);
    return {i + 1, start, start.addDays(30), qint64((i % 3 == 0 ? 0 : i % 3 == 1 ? 5 : 19) * 10000),
            8000 + (i % 7) * 125,
            somePrefixesNull && i % 4 == 0 ? QString() : QStringLiteral("P%1").arg(i % 100)};
}

void BenchDatabase::clearAdjustments() const {
    TSQLConnection c;
    c.Params().setValue(QStringLiteral("Database"), connectPath());
    c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    c.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
    c.setConnected(true);
    c.Execute(QStringLiteral("delete from AJUSTE_CIERRE"));
}

void BenchDatabase::fillAdjustments(int rows, bool somePrefixesNull) const {
    TSQLConnection c;
    c.Params().setValue(QStringLiteral("Database"), connectPath());
    c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    c.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
    c.setConnected(true);
    c.Execute(QStringLiteral(
                  "execute block (n integer = ?, nulls integer = ?) as declare i integer = 0; begin "
                  "while (i < n) do begin "
                  "insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO) "
                  "values (:i + 1, dateadd(mod(:i, 365) day to date '2026-01-01'), "
                  "dateadd(mod(:i, 365) + 30 day to date '2026-01-01'), "
                  "case mod(:i, 3) when 0 then 0 when 1 then 5 else 19 end, "
                  "0.8 + mod(:i, 7) * 0.0125, "
                  "case when :nulls = 1 and mod(:i, 4) = 0 then null else 'P' || mod(:i, 100) end); "
                  "i = i + 1; end end"),
              {{FieldType::Integer, Value(rows)}, {FieldType::Integer, Value(somePrefixesNull ? 1 : 0)}});
}
