// The standing closing adjustments as the unattended run carries them: one
// row per rate, the one starting latest, copied into the day's rows. No two
// rows of a rate may tie, and the demo's rows reach every point of sale with
// the factor the demo documents.

#include "tests/db/CashPostingTest.h"

#include <cstdlib>

namespace {

// A rate as the unattended run writes it into its statement: plain digits.
QString rateText(Currency rate) {
    return QStringLiteral("%1.%2")
        .arg(rate.units / Currency::Scale)
        .arg(rate.units % Currency::Scale, 4, 10, QLatin1Char('0'));
}

// Today's AJUSTE_CIERRE rows, derived the way the unattended run does: for each
// rate, the first row of its standing-row query gives the row to copy.
void deriveTheDaysRows(TSQLConnection& c, QDate day) {
    const QString quoted = QLatin1Char('\'') + day.toString(Qt::ISODate) + QLatin1Char('\'');
    c.Execute(QStringLiteral("delete from AJUSTE_CIERRE where AJCI_FECINI = ") + quoted);
    std::vector<Currency> rates;
    auto rateCursor = c.OpenCursor(QStringLiteral("SELECT DISTINCT TAIV_PORC FROM TARIFA_IVA"));
    while (rateCursor->next())
        rates.push_back(rateCursor->value(0).get<Currency>());
    for (Currency rate : rates) {
        auto cborrar = c.OpenCursor(QStringLiteral("SELECT AJCI_ID FROM AJUSTE_CIERRE_AUTO WHERE AJCI_FECINI <= ") +
                                    quoted + QStringLiteral(" AND AJCI_FECFIN >= ") + quoted +
                                    QStringLiteral(" AND AJCI_PORC = ") + rateText(rate) +
                                    QStringLiteral(" ORDER BY AJCI_FECINI DESC"));
        if (!cborrar->next())
            continue;
        const Value id = cborrar->value(0);
        cborrar->close();
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, "
                                 "AJCI_FACTOR, AJCI_PREFNO) select 0, ?, ?, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO "
                                 "from AJUSTE_CIERRE_AUTO where AJCI_ID = ?"),
                  {dateParam(day), dateParam(day), {FieldType::Integer, id}});
    }
}

class DemoStandingRows : public CashPosting {
protected:
    DemoStandingRows() : CashPosting(/*demo=*/true) {}
    void SetUp() override {
        CashPosting::SetUp();
        lastInvoice = count(QStringLiteral("select max(FACT_ID) from FACTURA"));
    }
};

TEST_F(DemoStandingRows, TheDerivedRowsGiveEachPointOfSaleTheDemosFactor) {
    const QDate today = scalar(c, QStringLiteral("select current_date from RDB$DATABASE")).get<QDate>();
    // Sales at every rate at both points of sale, beside the demo's own.
    for (const char* prefix : {"PV01", "PV02"})
        invoice(QString::fromLatin1(prefix), today, kCashCustomer, {{0, 10000, 0}, {5, 10000, 500}, {19, 10000, 1900}},
                900000);
    deriveTheDaysRows(c, today);
    const auto posted = post(kLocal, today, today);
    ASSERT_EQ(posted.size(), 2u);

    // 0.8 everywhere, but 0.9 at 19 % for PV02: every cash and card line says so,
    // and the cash lines hold that share of the day's sales.
    auto cur = c.OpenCursor(
        QStringLiteral("select v.COMP_PREFIJO, d.CODE_PORC, d.CODE_FACTOR, "
                       "sum(iif(d.CODE_CUENTA = ?, d.CODE_DEBITO, 0)), sum(d.CODE_DEBITO) "
                       "from COMPROBANTE v join COMPROBANTE_DET d on d.COMP_ID = v.COMP_ID "
                       "where v.COMP_FECHA = ? and d.CODE_DEBITO > 0 "
                       "group by v.COMP_PREFIJO, d.CODE_PORC, d.CODE_FACTOR order by 1, 2"),
        {textParam(kCashAccount), dateParam(today)});
    int groups = 0;
    while (cur->next()) {
        ++groups;
        const QString prefix = cur->value(0).get<QString>();
        const Currency rate = cur->value(1).get<Currency>();
        SCOPED_TRACE(prefix.toStdString() + " " + rateText(rate).toStdString());
        const qint64 expected = prefix == QStringLiteral("PV02") && rate == Currency::fromInteger(19) ? 9000 : 8000;
        EXPECT_EQ(cur->value(2), Value(factor(expected)));
        const qint64 cash = cur->value(3).get<Currency>().units / 100;
        const qint64 sales = cur->value(4).get<Currency>().units / 100;
        EXPECT_LE(std::abs(cash * 10000 - sales * expected), 5000); // to the rounded cent
    }
    EXPECT_EQ(groups, 6); // two points of sale, three rates, one factor each
}

TEST_F(CashPosting, TwoStandingRowsOfOneRateCannotStartOnTheSameDay) {
    standing(kDay, kDay.addDays(30), 19, factor(8000));
    // A row naming a point of sale ties as much as a general one.
    const QString tie = errorOf([&] { standing(kDay, kDay.addDays(10), 19, factor(9000), QStringLiteral("PV02")); });
    EXPECT_TRUE(tie.contains(QStringLiteral("E_AJUSTE_EMPATE"))) << tie.toStdString();
    EXPECT_TRUE(tie.contains(QStringLiteral("2026-05-23"))) << tie.toStdString();

    // Another rate, or another start, is no tie; nor is a change that keeps the start.
    standing(kDay, kDay.addDays(30), 5, factor(8000));
    standing(kDay.addDays(1), kDay.addDays(10), 19, factor(9000), QStringLiteral("PV02"));
    EXPECT_EQ(errorOf([&] { c.Execute(QStringLiteral("update AJUSTE_CIERRE_AUTO set AJCI_FACTOR = 0.75")); }),
              QString());
    // Moving a row onto another's start is refused like an insert.
    const QString moved = errorOf([&] {
        c.Execute(QStringLiteral("update AJUSTE_CIERRE_AUTO set AJCI_FECINI = ? where AJCI_PREFNO = 'PV02'"),
                  {dateParam(kDay)});
    });
    EXPECT_TRUE(moved.contains(QStringLiteral("E_AJUSTE_EMPATE"))) << moved.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from AJUSTE_CIERRE_AUTO where AJCI_FECINI = ?"), {dateParam(kDay)}),
              2);
}

} // namespace
