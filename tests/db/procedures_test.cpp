// The posting procedures and the key triggers of the company database, on the
// real engine.

#include "tests/db/CashPostingTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <iterator>
#include <map>

namespace {

TEST_F(CashPosting, EveryVoucherBalancesAndItsCreditsAreTheInvoicedAmounts) {
    cashInvoice(kDay, {{0, 1001, 0}, {5, 3333, 167}, {19, 10101, 1919}});
    cashInvoice(kDay, {{5, 1, 0}, {19, 99999, 19000}});
    cashInvoice(kDay, {{19, 7, 1}});
    cashInvoice(kDay, {{0, 250050, 0}}, QStringLiteral("PV02"));
    // Factors whose cash shares need rounding.
    adjustment(kDay, kDay, 19, factor(3333));
    adjustment(kDay, kDay, 5, factor(8000));

    for (const QString& procedure : {kLocal, kNiif}) {
        SCOPED_TRACE(procedure.toStdString());
        const auto posted = post(procedure, kDay, kDay);
        ASSERT_EQ(posted.size(), 2u);
        EXPECT_EQ(posted[0].prefix, QStringLiteral("PV01"));
        EXPECT_EQ(posted[0].invoices, 3);
        EXPECT_EQ(posted[0].total,
                  cents(1001 + 3333 + 167 + 10101 + 1919 + 1 + 99999 + 19000 + 7 + 1));
        EXPECT_EQ(posted[1].prefix, QStringLiteral("PV02"));
        EXPECT_EQ(posted[1].invoices, 1);
        EXPECT_EQ(posted[1].total, cents(250050));

        for (const Posted& p : posted) {
            Currency debits, credits;
            std::map<qint64, Currency> revenueAndVatByRate;
            for (const VoucherLine& l : lines(p.kind, p.number)) {
                debits.units += l.debit.units;
                credits.units += l.credit.units;
                revenueAndVatByRate[l.rate.units / Currency::Scale].units += l.credit.units;
            }
            EXPECT_EQ(debits, credits) << p.prefix.toStdString();
            EXPECT_EQ(debits, p.total);
            if (p.prefix == QStringLiteral("PV01")) {
                EXPECT_EQ(revenueAndVatByRate[0], cents(1001));
                EXPECT_EQ(revenueAndVatByRate[5], cents(3333 + 167 + 1));
                EXPECT_EQ(revenueAndVatByRate[19], cents(10101 + 1919 + 99999 + 19000 + 7 + 1));
            }
        }
    }
}

TEST_F(CashPosting, TheFactorIsTheCashShareRoundedToTheCentAndTheCardLineTakesTheRest) {
    const QString cash = QStringLiteral("11050501");
    const QString card = QStringLiteral("13809501");
    struct Case {
        QDate day;
        qint64 factor;
        qint64 totalCents;
        qint64 cashCents;
    };
    const Case cases[] = {
        {kDay, 8000, 10001, 8001},              // 80.008 rounds up
        {kDay.addDays(1), 3333, 10000, 3333},   // 33.33, the card line 66.67
        {kDay.addDays(2), 5000, 5, 3},          // 0.025: a half cent rounds away from zero
        {kDay.addDays(3), 0, 12345, 0},         // nothing in cash
        {kDay.addDays(4), 10000, 12345, 12345}, // all in cash
    };
    for (const Case& k : cases) {
        cashInvoice(k.day, {{0, k.totalCents, 0}});
        adjustment(k.day, k.day, 0, factor(k.factor));
    }
    const QDate noAdjustment = kDay.addDays(5);
    cashInvoice(noAdjustment, {{19, 10000, 1900}});

    const auto posted = post(kLocal, kDay, noAdjustment);
    ASSERT_EQ(posted.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].day.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(debitTo(QStringLiteral("VC"), posted[i].number, cash), cents(cases[i].cashCents));
        EXPECT_EQ(debitTo(QStringLiteral("VC"), posted[i].number, card),
                  cents(cases[i].totalCents - cases[i].cashCents));
    }
    EXPECT_EQ(debitTo(QStringLiteral("VC"), posted.back().number, cash), cents(11900));
    EXPECT_EQ(debitTo(QStringLiteral("VC"), posted.back().number, card), cents(0));
}

TEST_F(CashPosting, OfSeveralAdjustmentsThePrefixedOneThenTheLatestStartWins) {
    const QString cash = QStringLiteral("11050501");
    // General rows: the later start (0.5) beats the earlier one (0.9).
    adjustment(kDay.addDays(-10), kDay.addDays(10), 19, factor(9000));
    adjustment(kDay.addDays(-1), kDay.addDays(1), 19, factor(5000));
    // A prefixed row beats both, for its prefix only, whatever the letter case.
    adjustment(kDay.addDays(-30), kDay.addDays(30), 19, factor(2500), QStringLiteral("pv02"));
    adjustment(kDay.addDays(-30), kDay.addDays(30), 19, factor(1000), QStringLiteral("PV09"));
    // Rows of another rate, and rows not covering the day, never apply.
    adjustment(kDay, kDay, 5, factor(0));
    adjustment(kDay.addDays(1), kDay.addDays(5), 19, factor(0));
    adjustment(kDay.addDays(-5), kDay.addDays(-1), 19, factor(0));

    cashInvoice(kDay, {{19, 10000, 1900}}, QStringLiteral("PV01"));
    cashInvoice(kDay, {{19, 10000, 1900}}, QStringLiteral("PV02"));

    const auto posted = post(kLocal, kDay, kDay);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(debitTo(QStringLiteral("VC"), posted[0].number, cash), cents(5950));
    EXPECT_EQ(debitTo(QStringLiteral("VC"), posted[1].number, cash), cents(2975));
}

TEST_F(CashPosting, AFactorOutsideZeroToOneFailsTheWholeRunAndPostsNothing) {
    cashInvoice(kDay, {{19, 10000, 1900}});
    cashInvoice(kDay.addDays(1), {{5, 10000, 500}});
    adjustment(kDay.addDays(1), kDay.addDays(1), 5, factor(15000));

    const QString error = errorOf([&] { post(kLocal, kDay, kDay.addDays(1)); });
    EXPECT_TRUE(error.contains(QStringLiteral("E_CONTADO_FACTOR"))) << error.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), 0);
    EXPECT_EQ(unpostedCashInvoices(kDay), 1);
}

TEST_F(CashPosting, ASecondRunOverTheSameRangePostsNothing) {
    cashInvoice(kDay, {{19, 10000, 1900}});
    cashInvoice(kDay.addDays(1), {{0, 5000, 0}});
    ASSERT_EQ(post(kLocal, kDay, kDay.addDays(1)).size(), 2u);
    const qint64 vouchers = count(QStringLiteral("select count(*) from COMPROBANTE"));
    const qint64 voucherLines = count(QStringLiteral("select count(*) from COMPROBANTE_DET"));

    EXPECT_TRUE(post(kLocal, kDay, kDay.addDays(1)).empty());
    EXPECT_TRUE(post(kLocal, kDay, kDay).empty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), vouchers);
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE_DET")), voucherLines);

    // A sale registered after the run is posted by the next one, alone, under the next number.
    cashInvoice(kDay, {{5, 2000, 100}});
    const auto late = post(kLocal, kDay, kDay.addDays(1));
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].invoices, 1);
    EXPECT_EQ(late[0].total, cents(2100));
    EXPECT_EQ(late[0].number, 3);
}

TEST_F(CashPosting, TheRangeIncludesBothEndsAndNothingBeyond) {
    for (int d = -1; d <= 2; ++d)
        cashInvoice(kDay.addDays(d), {{19, 10000, 1900}});

    // As the window sends it: dates written year first with slashes, inside the text.
    const auto posted = fetchPosted(
        c.OpenCursor(QStringLiteral("select * from contado_kalden('2026/05/23', '2026/05/24')")));
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].date, kDay);
    EXPECT_EQ(posted[1].date, kDay.addDays(1));
    EXPECT_EQ(unpostedCashInvoices(kDay.addDays(-1)), 1);
    EXPECT_EQ(unpostedCashInvoices(kDay), 0);
    EXPECT_EQ(unpostedCashInvoices(kDay.addDays(1)), 0);
    EXPECT_EQ(unpostedCashInvoices(kDay.addDays(2)), 1);

    // A first date after the last selects no day at all.
    EXPECT_TRUE(post(kLocal, kDay.addDays(2), kDay.addDays(-1)).empty());
    EXPECT_EQ(unpostedCashInvoices(kDay.addDays(2)), 1);
}

TEST_F(CashPosting, OtherCustomersInvoicesAreNeverPosted) {
    invoice(QStringLiteral("PV01"), kDay, QStringLiteral("800197268"), {{19, 50000, 9500}});
    invoice(QStringLiteral("PV01"), kDay.addDays(1), QStringLiteral("900431562"),
            {{5, 10000, 500}});
    cashInvoice(kDay, {{19, 10000, 1900}});

    for (const QString& procedure : {kLocal, kNiif}) {
        const auto posted = post(procedure, kDay, kDay.addDays(1));
        ASSERT_EQ(posted.size(), 1u)
            << procedure.toStdString(); // the second day holds no cash sale
        EXPECT_EQ(posted[0].invoices, 1);
        EXPECT_EQ(posted[0].total, cents(11900));
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from FACTURA where FACT_NIT <> ? and "
                                   "(FACT_COMP_LOCAL is not null or FACT_COMP_NIIF is not null)"),
                    {textParam(kCashCustomer)}),
              0);
}

TEST_F(CashPosting, EachBookPostsOnceToItsOwnChartAndVoucherKind) {
    cashInvoice(kDay, {{0, 1000, 0}, {5, 2000, 100}, {19, 3000, 570}});
    adjustment(kDay, kDay, 19, factor(8000));

    const auto local = post(kLocal, kDay, kDay);
    const auto niif = post(kNiif, kDay, kDay);
    ASSERT_EQ(local.size(), 1u);
    ASSERT_EQ(niif.size(), 1u);
    EXPECT_EQ(local[0].kind, QStringLiteral("VC"));
    EXPECT_EQ(niif[0].kind, QStringLiteral("VCN"));
    EXPECT_EQ(niif[0].number, 1); // each kind numbers its own vouchers

    const auto localLines = lines(local[0].kind, local[0].number);
    const auto niifLines = lines(niif[0].kind, niif[0].number);
    ASSERT_EQ(localLines.size(), niifLines.size());
    QSet<QString> accounts;
    for (size_t i = 0; i < localLines.size(); ++i) {
        EXPECT_EQ(localLines[i].chart, QStringLiteral("L"));
        EXPECT_EQ(niifLines[i].chart, QStringLiteral("N"));
        EXPECT_EQ(localLines[i].debit, niifLines[i].debit);
        EXPECT_EQ(localLines[i].credit, niifLines[i].credit);
        accounts << localLines[i].account;
    }
    // Cash, card, three revenue accounts, two VAT accounts.
    EXPECT_EQ(accounts.size(), 7);

    EXPECT_TRUE(post(kNiif, kDay, kDay).empty());
    EXPECT_TRUE(post(kLocal, kDay, kDay).empty());
}

TEST_F(CashPosting, AllWorkIsDoneBeforeTheFirstRowIsReturned) {
    for (int d = 0; d < 3; ++d)
        cashInvoice(kDay.addDays(d), {{19, 10000, 1900}});
    auto cur = c.OpenCursor(QStringLiteral("select * from contado_kalden(?, ?)"),
                            {dateParam(kDay), dateParam(kDay.addDays(2))});
    ASSERT_TRUE(cur->next());
    cur->close(); // the caller stops after the first row

    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), 3);
    for (int d = 0; d < 3; ++d)
        EXPECT_EQ(unpostedCashInvoices(kDay.addDays(d)), 0);
}

TEST_F(CashPosting, AUserWithOnlyExecuteRightsCanPost) {
    cashInvoice(kDay, {{19, 10000, 1900}});
    adjustment(kDay, kDay, 19, factor(15000)); // the failure path needs its rights too
    c.Execute(QStringLiteral("grant execute on procedure CONTADO_KALDEN to CONTADOR"));
    c.Execute(QStringLiteral("grant execute on procedure CONTADO_KALDEN_NIIF to CONTADOR"));

    // The embedded engine takes the user name as given.
    TSQLConnection clerk;
    clerk.Params().setValue(QStringLiteral("Database"), db.databasePath(ConnectionKind::Embedded));
    clerk.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("CONTADOR"));
    clerk.Params().setValue(QStringLiteral("password"), QStringLiteral("x"));
    clerk.setConnected(true);
    const auto run = [&](const QString& procedure) {
        return errorOf([&] {
            fetchPosted(clerk.OpenCursor(QStringLiteral("select * from ") + procedure +
                                             QStringLiteral("(?, ?)"),
                                         {dateParam(kDay), dateParam(kDay)}));
        });
    };
    const QString refused = run(kLocal);
    EXPECT_TRUE(refused.contains(QStringLiteral("E_CONTADO_FACTOR"))) << refused.toStdString();
    c.Execute(QStringLiteral("delete from AJUSTE_CIERRE"));
    EXPECT_EQ(run(kLocal), QString());
    EXPECT_EQ(run(kNiif), QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), 2);
}

TEST(AdjustmentKeys, RowsArrivingWithKeyZeroOrNoneEachGetTheirOwn) {
    CompanyDatabase db;
    TSQLConnection c;
    db.connect(c);
    for (const QString& table :
         {QStringLiteral("AJUSTE_CIERRE"), QStringLiteral("AJUSTE_CIERRE_AUTO")}) {
        SCOPED_TRACE(table.toStdString());
        c.StartTransaction();
        for (int i = 0; i < 3; ++i)
            c.Execute(QStringLiteral("insert into ") + table +
                          QStringLiteral(" (AJCI_ID, AJCI_PORC, AJCI_FACTOR) values (0, 19, ?)"),
                      {decimalParam(factor(8000))});
        // The tool leaves a column it never set out of the INSERT.
        c.Execute(QStringLiteral("insert into ") + table +
                  QStringLiteral(" (AJCI_PORC) values (5)"));
        c.Execute(QStringLiteral("insert into ") + table +
                  QStringLiteral(" (AJCI_ID, AJCI_PORC) values (1000, 0)"));
        c.Commit();

        QSet<qint64> keys;
        auto cur = c.OpenCursor(QStringLiteral("select AJCI_ID from ") + table);
        while (cur->next())
            keys << cur->value(0).get<qint64>();
        EXPECT_EQ(keys.size(), 5);
        EXPECT_FALSE(keys.contains(0));
        EXPECT_TRUE(keys.contains(1000)); // a key given by the caller stays
    }
}

TEST(DemoDatabase, HoldsSalesUpToTodayThatPostAndBalance) {
    CompanyDatabase db(/*demo=*/true);
    TSQLConnection c;
    db.connect(c);
    auto cur = c.OpenCursor(QStringLiteral(
        "select max(FACT_FECHA), current_date, count(distinct FACT_NIT), count(*) from FACTURA"));
    ASSERT_TRUE(cur->next());
    const QDate last = cur->value(0).get<QDate>();
    EXPECT_EQ(last, cur->value(1).get<QDate>());
    EXPECT_GT(cur->value(2).get<qint64>(), 1);   // other customers too
    EXPECT_GT(cur->value(3).get<qint64>(), 365); // a year of sales
    cur->close();

    // The standing adjustments put in force for the posting.
    c.Execute(QStringLiteral(
        "insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, "
        "AJCI_PREFNO) select 0, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO "
        "from AJUSTE_CIERRE_AUTO"));
    const QDate first = last.addDays(-6);
    const qint64 groups =
        scalar(c,
               QStringLiteral("select count(*) from (select distinct FACT_FECHA, FACT_PREFIJO "
                              "from FACTURA where FACT_NIT = ? and FACT_FECHA between ? and ?)"),
               {textParam(kCashCustomer), dateParam(first), dateParam(last)})
            .get<qint64>();
    auto posting = c.OpenCursor(QStringLiteral("select FECHA from contado_kalden(?, ?)"),
                                {dateParam(first), dateParam(last)});
    qint64 vouchers = 0;
    while (posting->next())
        ++vouchers;
    EXPECT_GT(vouchers, 0);
    EXPECT_EQ(vouchers, groups); // one per day and point of sale
    auto unbalanced = c.OpenCursor(
        QStringLiteral("select count(*) from (select COMP_ID from COMPROBANTE_DET group by COMP_ID "
                       "having sum(CODE_DEBITO) <> sum(CODE_CREDITO))"));
    ASSERT_TRUE(unbalanced->next());
    EXPECT_EQ(unbalanced->value(0).get<qint64>(), 0);
}

TEST(CreateCompany, RefusesToOverwriteAnExistingDatabase) {
    QTemporaryDir root;
    const QString file = root.path() + QStringLiteral("/datos/X/quelmar.fdb");
    QDir().mkpath(root.path() + QStringLiteral("/datos/X"));
    QFile existing(file);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("company data");
    existing.close();

    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(QUELMAR_SOURCE_DIR "/db/create-company"),
            {root.path(), QStringLiteral("X")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAll().contains("already exists"));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("company data"));
}

} // namespace
