#pragma once
// A company database for a benchmark, in a temporary folder.

#include <QString>
#include <QTemporaryDir>

class BenchDatabase {
public:
    BenchDatabase();
    // The path a client opens (embedded).
    QString path() const { return dir_.path() + QStringLiteral("/datos/B/quelmar.fdb"); }
    // Fills AJUSTE_CIERRE with rows of every shape: dates, rates, factors, prefixes and nulls.
    void fillAdjustments(int rows) const;

private:
    QTemporaryDir dir_;
};
