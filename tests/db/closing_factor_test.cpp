// The share of a day's sales received in cash: the day's own closing-adjustment
// row, else the standing row that covers the day, else all cash; and the record
// each cash and card line keeps of it.

#include "tests/db/CashPostingTest.h"

namespace {

class ClosingFactor : public CashPosting {
protected:
    // What the cash and card lines of a voucher recorded, per rate:
    // "rate factor table id", one entry per line.
    QStringList recorded(const Posted& p) {
        auto cur = c.OpenCursor(
            QStringLiteral("select d.CODE_PORC, d.CODE_FACTOR, d.CODE_AJUSTE_TABLA, d.CODE_AJUSTE_ID "
                           "from COMPROBANTE v join COMPROBANTE_DET d on d.COMP_ID = v.COMP_ID "
                           "where v.TICO_CODIGO = ? and v.COMP_NUMERO = ? and d.CODE_DEBITO > 0 "
                           "order by d.CODE_LINEA"),
            {textParam(p.kind), intParam(p.number)});
        QStringList result;
        while (cur->next())
            result << QStringList{cur->value(0).debugText(), cur->value(1).debugText(), cur->value(2).debugText(),
                                  cur->value(3).debugText()}
                          .join(QLatin1Char(' '));
        return result;
    }
    qint64 idOf(const QString& table, int rate, qint64 factorUnits) {
        return count(QStringLiteral("select AJCI_ID from ") + table +
                         QStringLiteral(" where AJCI_PORC = ? and AJCI_FACTOR = ?"),
                     {decimalParam(Currency::fromInteger(rate)), decimalParam(factor(factorUnits))});
    }
};

TEST_F(ClosingFactor, ADayWithoutItsOwnRowTakesTheStandingRowByTheSamePrecedence) {
    // Rate 19: the day's own row wins over any standing row.
    adjustment(kDay, kDay, 19, factor(5000));
    standing(kDay.addDays(-10), kDay.addDays(10), 19, factor(9000));
    // Rate 5: no row of the day. Of the standing rows the later start wins
    // (0.7 over 0.9), a row naming the prefix wins over both for its prefix
    // only, rows not covering the day and rows of other prefixes never apply.
    standing(kDay.addDays(-10), kDay.addDays(10), 5, factor(9000));
    standing(kDay.addDays(-1), kDay.addDays(1), 5, factor(7000));
    standing(kDay.addDays(-30), kDay.addDays(30), 5, factor(2500), QStringLiteral("pv02 "));
    standing(kDay.addDays(-20), kDay.addDays(30), 5, factor(1000), QStringLiteral("PV09"));
    standing(kDay.addDays(1), kDay.addDays(30), 5, factor(0));
    standing(kDay.addDays(-40), kDay.addDays(-1), 5, factor(0), QStringLiteral("PV01"));
    // A day's row of another point of sale does not keep PV01 from the standing row.
    adjustment(kDay, kDay, 5, factor(4000), QStringLiteral("PV03"));
    // Rate 0: a row of neither table covers the day.
    standing(kDay.addDays(1), kDay.addDays(2), 0, factor(5000));

    cashInvoice(kDay, {{0, 10000, 0}, {5, 10000, 500}, {19, 10000, 1900}}, QStringLiteral("PV01"));
    cashInvoice(kDay, {{5, 10000, 500}}, QStringLiteral("PV02"));
    const auto posted = post(kLocal, kDay, kDay);
    ASSERT_EQ(posted.size(), 2u);

    EXPECT_EQ(debitTo(posted[0].kind, posted[0].number, kCashAccount), cents(10000 + 7350 + 5950));
    EXPECT_EQ(debitTo(posted[0].kind, posted[0].number, kCardAccount), cents(3150 + 5950));
    EXPECT_EQ(debitTo(posted[1].kind, posted[1].number, kCashAccount), cents(2625));

    const QString autoTable = QStringLiteral("AJUSTE_CIERRE_AUTO");
    const QString dayTable = QStringLiteral("AJUSTE_CIERRE");
    const QString later = QString::number(idOf(autoTable, 5, 7000));
    const QString own = QString::number(idOf(dayTable, 19, 5000));
    EXPECT_EQ(recorded(posted[0]),
              (QStringList{QStringLiteral("0.0000 1.0000 null null"),
                           QStringLiteral("5.0000 0.7000 'AJUSTE_CIERRE_AUTO' ") + later,
                           QStringLiteral("5.0000 0.7000 'AJUSTE_CIERRE_AUTO' ") + later,
                           QStringLiteral("19.0000 0.5000 'AJUSTE_CIERRE' ") + own,
                           QStringLiteral("19.0000 0.5000 'AJUSTE_CIERRE' ") + own}));
    const QString prefixed = QString::number(idOf(autoTable, 5, 2500));
    EXPECT_EQ(recorded(posted[1]), (QStringList{QStringLiteral("5.0000 0.2500 'AJUSTE_CIERRE_AUTO' ") + prefixed,
                                                QStringLiteral("5.0000 0.2500 'AJUSTE_CIERRE_AUTO' ") + prefixed}));
}

TEST_F(ClosingFactor, AStandingFactorOutsideZeroToOneFailsTheRunAndNamesItsTable) {
    standing(kDay.addDays(-5), kDay.addDays(5), 19, factor(12000));
    cashInvoice(kDay, {{19, 10000, 1900}});
    const QString error = errorOf([&] { post(kLocal, kDay, kDay); });
    EXPECT_TRUE(error.contains(QStringLiteral("E_CONTADO_FACTOR"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("AJUSTE_CIERRE_AUTO"))) << error.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), 0);

    // The day's own row takes precedence, and is valid.
    adjustment(kDay, kDay, 19, factor(8000));
    ASSERT_EQ(post(kLocal, kDay, kDay).size(), 1u);
    EXPECT_EQ(debitTo(QStringLiteral("VC"), 1, kCashAccount), cents(9520));
}

} // namespace
