#pragma once
// A company database of the test's own with helpers to enter sales and closing
// adjustments, run the posting procedures and read the vouchers they wrote.

#include "data/DatabaseError.h"
#include "data/TSQLConnection.h"
#include "tests/fixtures/CompanyDatabase.h"

#include <gtest/gtest.h>

#include <QDate>

#include <functional>
#include <initializer_list>
#include <vector>

inline const QString kCashCustomer = QStringLiteral("222222222222");
inline const QString kLocal = QStringLiteral("contado_kalden");
inline const QString kNiif = QStringLiteral("contado_kalden_niif");
inline const QDate kDay(2026, 5, 23);
// The local chart's cash and card accounts of every rate.
inline const QString kCashAccount = QStringLiteral("11050501");
inline const QString kCardAccount = QStringLiteral("13809501");

SqlParam dateParam(QDate d);
SqlParam textParam(const QString& s);
SqlParam intParam(qint64 i);
SqlParam decimalParam(Currency c);

Currency cents(qint64 c);
Currency factor(qint64 tenThousandths);

// The first column of the first row; the cursor is closed before returning.
Value scalar(TSQLConnection& c, const QString& sql, const std::vector<SqlParam>& params = {});

// The message of the database error f raised; empty when it raised none.
QString errorOf(const std::function<void()>& f);

// A row a posting procedure returned.
struct Posted {
    QDate date;
    QString prefix;
    QString kind;
    qint64 number = 0;
    qint64 invoices = 0;
    Currency total;
};

// One line of a voucher, with the chart its account belongs to.
struct VoucherLine {
    QString account;
    QString chart;
    Currency rate;
    Currency debit;
    Currency credit;
};

class CashPosting : public ::testing::Test {
protected:
    explicit CashPosting(bool demo = false) : db(demo) {}
    void SetUp() override { db.connect(c); }

    // An invoice line: {rate, base in cents, VAT in cents}.
    struct Line {
        int rate;
        qint64 base;
        qint64 vat;
    };
    // Enters an invoice with the given lines; returns its key, which is also its
    // number unless one is given.
    qint64 invoice(const QString& prefix, QDate date, const QString& nit, std::initializer_list<Line> lines,
                   qint64 number = 0);
    qint64 cashInvoice(QDate date, std::initializer_list<Line> lines, const QString& prefix = QStringLiteral("PV01"));

    // A row of AJUSTE_CIERRE, or of another table of the same shape.
    void adjustment(QDate first, QDate last, int rate, Currency f, const Value& prefix = Value::null(),
                    const QString& table = QStringLiteral("AJUSTE_CIERRE"));
    void standing(QDate first, QDate last, int rate, Currency f, const Value& prefix = Value::null()) {
        adjustment(first, last, rate, f, prefix, QStringLiteral("AJUSTE_CIERRE_AUTO"));
    }

    std::vector<Posted> fetchPosted(std::unique_ptr<SqlCursor> cur);
    std::vector<Posted> post(const QString& procedure, QDate first, QDate last);

    qint64 count(const QString& sql, const std::vector<SqlParam>& params = {});
    // Cash-customer invoices of a day the local book has not posted.
    qint64 unpostedCashInvoices(QDate date);

    // The lines of the voucher of a kind and number, in line order.
    std::vector<VoucherLine> lines(const QString& kind, qint64 number);
    // Debits of a voucher to one account.
    Currency debitTo(const QString& kind, qint64 number, const QString& account);

    CompanyDatabase db;
    TSQLConnection c;
    qint64 lastInvoice = 0;
};
