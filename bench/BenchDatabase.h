#pragma once
// A company database for a benchmark, in a temporary folder.

#include <QDate>
#include <QString>
#include <QTemporaryDir>

// The values of bench row i, the same in SQL (fillAdjustments) and here.
struct BenchRow {
    int id;             // i + 1
    QDate start, end;   // 2026-01-01 + (i mod 365) days, and 30 days later
    qint64 rateUnits;   // 0, 5 or 19 in turn, in ten-thousandths
    qint64 factorUnits; // 0.8 + (i mod 7) * 0.0125
    QString prefix;     // "P" + (i mod 100); empty (null) for every fourth row when asked
};
BenchRow benchRow(int i, bool somePrefixesNull);

class BenchDatabase {
public:
    BenchDatabase();
    // The file on disk.
    QString path() const { return dir_.path() + QStringLiteral("/datos/B/quelmar.fdb"); }
    // What a client opens: the file, or "host/port:file" once the database is served.
    QString connectPath() const { return server_.isEmpty() ? path() : server_ + QLatin1Char(':') + path(); }
    // From now on every connection goes through that server ("127.0.0.1/PORT"), so the
    // embedded engine and the server never hold the file at the same time.
    void serveFrom(const QString& server) { server_ = server; }
    // Fills AJUSTE_CIERRE with rows 0..n-1 as benchRow(i) describes them.
    void fillAdjustments(int rows, bool somePrefixesNull = true) const;
    // Empties AJUSTE_CIERRE.
    void clearAdjustments() const;

private:
    QTemporaryDir dir_;
    QString server_;
};
