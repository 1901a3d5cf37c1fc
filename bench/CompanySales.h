#pragma once
// Sales of a company at scale, for the posting benchmarks: every day, each point
// of sale registers the same number of cash sales of one to three VAT rates, and
// the unattended run leaves that day's closing-adjustment rows (one per rate).

#include <QDate>
#include <QString>

class TSQLConnection;

struct SalesShape {
    int pointsOfSale = 10;
    int salesPerDay = 300; // at each point of sale
};

// Connects to a benchmark database with the embedded engine.
void connectTo(TSQLConnection& c, const QString& path);

// Writes `days` days of sales from `first` on, with their AJUSTE_CIERRE rows.
void writeSales(TSQLConnection& c, QDate first, int days, SalesShape shape = {});

// Pages the connection's attachment has asked for so far (fetches) and, of
// those, the ones read from the file (reads).
struct PageCounts {
    long long fetches = 0;
    long long reads = 0;
};
PageCounts pageCounts(TSQLConnection& c);

// Posts the local book for a range; returns the vouchers written.
int postLocal(TSQLConnection& c, QDate first, QDate last);
