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
}

void BenchDatabase::fillAdjustments(int rows) const {
    TSQLConnection c;
    c.Params().setValue(QStringLiteral("Database"), path());
    c.setConnected(true);
    c.Execute(QStringLiteral(
                  "execute block (n integer = ?) as declare i integer = 0; begin "
                  "while (i < n) do begin "
                  "insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO) "
                  "values (:i + 1, dateadd(mod(:i, 365) day to date '2026-01-01'), "
                  "dateadd(mod(:i, 365) + 30 day to date '2026-01-01'), "
                  "case mod(:i, 3) when 0 then 0 when 1 then 5 else 19 end, "
                  "0.8 + mod(:i, 7) * 0.0125, "
                  "case mod(:i, 4) when 0 then null else 'P' || mod(:i, 100) end); "
                  "i = i + 1; end end"),
              {{FieldType::Integer, Value(rows)}});
}
